// The bench's floor: the least a Win32 program can be that shows one window of the setup
// window's size. Built with the same flags as veilora.exe, so every figure of the program can be
// read against it. Not shipped.
#include <windows.h>

namespace {

LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(h, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = L"BenchFloor";
  if (!::RegisterClassW(&wc)) return 1;
  const int w = 364, h = 483;
  HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"Floor", WS_OVERLAPPEDWINDOW,
                                (::GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                                (::GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, nullptr, nullptr,
                                instance, nullptr);
  if (!hwnd) return 1;
  ::ShowWindow(hwnd, show);
  ::UpdateWindow(hwnd);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
