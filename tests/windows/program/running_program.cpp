#include "program/running_program.h"

#include <shellapi.h>

#include <algorithm>

namespace vt {

RunningProgram::RunningProgram() : child_(Start(L"veilora.exe")) {
  if (child_) setup_ = WaitForWindow(child_.pid(), kVeiloraWindowClass, 20000);
  Pump(100);
}

std::vector<HWND> RunningProgram::Windows() const {
  std::vector<HWND> out;
  for (HWND h : WindowsOf(child_.pid()))
    if (ClassOf(h) == kVeiloraWindowClass) out.push_back(h);
  return out;
}

HWND RunningProgram::WaitForNewWindow(const std::vector<HWND>& known, DWORD ms) const {
  HWND found = nullptr;
  WaitFor(
      [&] {
        for (HWND h : Windows())
          if (::IsWindowVisible(h) && std::find(known.begin(), known.end(), h) == known.end()) {
            found = h;
            return true;
          }
        return false;
      },
      ms);
  return found;
}

HWND RunningProgram::WaitForFreshSetup(HWND old, DWORD ms) {
  HWND fresh = nullptr;
  WaitFor(
      [&] {
        if (::IsWindow(old)) return false;
        for (HWND h : Windows())
          if (IsTopMost(h) && ::IsWindowVisible(h)) {
            fresh = h;
            return true;
          }
        return false;
      },
      ms);
  if (fresh) setup_ = fresh;
  return fresh;
}

void RunningProgram::Click(HWND control) {
  RECT rc = WindowRect(control);
  POINT p{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
  if (::GetWindowRgn(control, rgn) != ERROR) {
    // The centre may be cut out (the white letters of a switch): take the nearest point inside.
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    bool done = ::PtInRegion(rgn, w / 2, h / 2);
    for (int dx = 1; !done && dx < w; ++dx)
      for (int x : {w / 2 + dx, w / 2 - dx})
        if (!done && x >= 0 && x < w && ::PtInRegion(rgn, x, h / 2)) {
          p.x = rc.left + x;
          done = true;
        }
  }
  ::DeleteObject(rgn);
  ClickAt(p.x, p.y);
  Pump(100);
}

void RunningProgram::Tray(HWND window, UINT mouseMessage) {
  ::PostMessageW(window, kTrayCallback, kTrayIconId, mouseMessage);
  Pump(150);
}

bool RunningProgram::HasTrayIcon(HWND window) {
  NOTIFYICONDATAW nid{};
  nid.cbSize = NOTIFYICONDATAW_V1_SIZE;
  nid.hWnd = window;
  nid.uID = kTrayIconId;
  nid.uFlags = 0;
  return ::Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

HWND RunningProgram::ClickForNewWindow(HWND control, DWORD ms) const {
  const std::vector<HWND> before = Windows();
  Click(control);
  return WaitForNewWindow(before, ms);
}

HWND RunningProgram::ApplyMask() {
  HWND panel = ClickForNewWindow(::GetDlgItem(setup_, setup_ids::k图形按钮1));
  WaitFor([&] { return (ExStyle(setup_) & WS_EX_LAYERED) != 0; }, 10000);
  Pump(100);
  return panel;
}

Layered LayeredOf(HWND h) {
  Layered l;
  COLORREF key = 0;
  l.ok = ::GetLayeredWindowAttributes(h, &key, &l.alpha, &l.flags) != FALSE;
  return l;
}

}  // namespace vt
