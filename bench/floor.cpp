// The bench's floor: the least a Win32 program can be that shows one window of the setup
// window's size. Built with the same flags as veilora.exe, so every figure of the program can be
// read against it. Not shipped.
//
// Built with BENCH_PLATFORM_PARTS (bench_floor_plus) it also shows what the program needs from the
// platform without any of its own code or pictures: the setup window's Chinese texts in SimSun
// and a trackbar, which brings in the common controls; and, on kMaskMessage, its window becomes a
// mask as the program's does: top-most, click-through, layered at alpha 60, 300 pixels larger
// than the screen. The program's figures less these are its own share.
#include <windows.h>
#ifdef BENCH_PLATFORM_PARTS
#include <commctrl.h>
#endif

namespace {

#ifdef BENCH_PLATFORM_PARTS
constexpr UINT kMaskMessage = WM_APP + 1;  // bench/measure.cpp posts it

BOOL CALLBACK HideChild(HWND child, LPARAM) {
  ::ShowWindow(child, SW_HIDE);
  return TRUE;
}

void BecomeMask(HWND h) {
  ::EnumChildWindows(h, HideChild, 0);
  ::SetWindowLongW(h, GWL_STYLE, WS_POPUP | WS_VISIBLE);
  ::SetWindowLongW(h, GWL_EXSTYLE, WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW);
  ::SetClassLongPtrW(h, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(::CreateSolidBrush(RGB(0xC6, 0xFF, 0xC6))));
  ::SetLayeredWindowAttributes(h, 0, 60, LWA_ALPHA);
  ::SetWindowPos(h, HWND_TOPMOST, -10, -10, ::GetSystemMetrics(SM_CXSCREEN) + 300,
                 ::GetSystemMetrics(SM_CYSCREEN) + 300, SWP_FRAMECHANGED | SWP_SHOWWINDOW);
  ::InvalidateRect(h, nullptr, TRUE);
}
#endif

LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
#ifdef BENCH_PLATFORM_PARTS
  if (msg == kMaskMessage) {
    BecomeMask(h);
    return 0;
  }
#endif
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
