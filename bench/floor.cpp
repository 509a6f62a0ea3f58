// The bench's floor: the least a Win32 program can be that shows one window of the setup
// window's size. Built with the same flags as veilora.exe, so every figure of the program can be
// read against it. Not shipped.
//
// Built with BENCH_PLATFORM_PARTS (bench_floor_plus) it also shows what the program needs from the
// platform without any of its own code or pictures: the setup window's Chinese texts in SimSun
// and a trackbar, which brings in the common controls. The program's figures less these are its
// own share.
#include <windows.h>
#ifdef BENCH_PLATFORM_PARTS
#include <commctrl.h>
#endif

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
#ifdef BENCH_PLATFORM_PARTS
  ::SetWindowTextW(hwnd, L"Veilora0.1-Quillmart特别版");
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);
  HFONT song = ::CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, L"宋体");
  const struct {
    const wchar_t* cls;
    const wchar_t* text;
    int x, y, w, h;
  } children[] = {
      {L"BUTTON", L"关闭", 264, 397, 80, 32},
      {L"BUTTON", L"最小化", 147, 397, 80, 32},
      {L"BUTTON", L"关于", 32, 397, 80, 32},
      {L"STATIC", L"遮罩豆沙绿色可缓解视疲劳", 68, 184, 145, 24},
      {TRACKBAR_CLASSW, L"", 845, 430, 342, 32},
  };
  for (const auto& c : children) {
    HWND child = ::CreateWindowExW(0, c.cls, c.text, WS_CHILD | WS_VISIBLE, c.x, c.y, c.w, c.h, hwnd, nullptr,
                                   instance, nullptr);
    ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(song), FALSE);
  }
#endif
  ::ShowWindow(hwnd, show);
  ::UpdateWindow(hwnd);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
