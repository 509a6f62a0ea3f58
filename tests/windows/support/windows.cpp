#include "support/windows.h"

#include "support/processes.h"

namespace vt {

RECT WindowRect(HWND h) {
  RECT rc{};
  ::GetWindowRect(h, &rc);
  return rc;
}

LONG Style(HWND h) { return ::GetWindowLongW(h, GWL_STYLE); }
LONG ExStyle(HWND h) { return ::GetWindowLongW(h, GWL_EXSTYLE); }
bool IsTopMost(HWND h) { return (ExStyle(h) & WS_EX_TOPMOST) != 0; }

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> out;
  for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) out.push_back(c);
  return out;
}

HWND ChildWithText(HWND parent, const std::wstring& text) {
  for (HWND c : Children(parent))
    if (TextOf(c) == text) return c;
  return nullptr;
}

int ScreenWidth() { return ::GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return ::GetSystemMetrics(SM_CYSCREEN); }

namespace {
void SendMouse(int x, int y, DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  // Aim at the middle of the pixel: the conversion back to pixels truncates.
  in.mi.dx = static_cast<LONG>(((2LL * x + 1) * 65536) / (2LL * ScreenWidth()));
  in.mi.dy = static_cast<LONG>(((2LL * y + 1) * 65536) / (2LL * ScreenHeight()));
  in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  ::SendInput(1, &in, sizeof in);
  Pump(30);
}
}  // namespace

void MouseMoveTo(int x, int y) { SendMouse(x, y, 0); }
void MouseDown(int x, int y) { SendMouse(x, y, MOUSEEVENTF_LEFTDOWN); }
void MouseUp(int x, int y) { SendMouse(x, y, MOUSEEVENTF_LEFTUP); }

void ClickAt(int x, int y) {
  MouseMoveTo(x, y);
  MouseDown(x, y);
  MouseUp(x, y);
}

void ClickCentre(HWND h) {
  const RECT rc = WindowRect(h);
  ClickAt((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

void PressKey(WORD vk) {
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, in, sizeof in[0]);
  Pump(50);
}

}  // namespace vt
