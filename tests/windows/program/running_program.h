// The real veilora.exe started as a child process, with ways to find its windows and controls
// and to drive them as a user does.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "support/processes.h"
#include "support/windows.h"

namespace vt {

inline constexpr wchar_t kVeiloraWindowClass[] = L"VeiloraWindow";
inline constexpr UINT kTrayCallback = WM_APP + 100;
inline constexpr UINT kTrayIconId = 100;

// Control ids follow the definition order, from 1000.
namespace setup_ids {
inline constexpr int k按钮3 = 1000, k按钮2 = 1001, k按钮1 = 1002, k图片框3 = 1003, k标签1 = 1004,
                     k图片框2 = 1005, k图片框1 = 1006, k透明标签1 = 1007, k图形按钮1 = 1008, k标签2 = 1009,
                     k滑块条1 = 1010, k颜色选择器1 = 1011;
}
namespace panel_ids {
inline constexpr int k按钮3 = 1000, k按钮2 = 1001, k按钮1 = 1002, k图片框1 = 1003, k图片框3 = 1004,
                     k标签1 = 1005, k图片框2 = 1006, k图形按钮1 = 1007, k标签2 = 1008, k颜色选择器1 = 1009;
}
namespace about_ids {
inline constexpr int k超级链接框1 = 1000, k按钮1 = 1001, k标签1 = 1002, k透明标签1 = 1003, k图片框1 = 1004;
}

class RunningProgram {
 public:
  RunningProgram();
  explicit operator bool() const { return setup_ != nullptr; }

  Child& child() { return child_; }
  HWND setup() const { return setup_; }
  // The program's top-level windows of our class, visible or not.
  std::vector<HWND> Windows() const;
  // Clicks the control (as Click) and waits for a visible window of our class that was not there
  // before: the window the click opened, or null.
  HWND ClickForNewWindow(HWND control, DWORD ms = 10000) const;
  // Refreshes setup() after the setup window was replaced by a fresh one.
  HWND WaitForFreshSetup(HWND old, DWORD ms = 10000);

  // A real left click on a point inside the control's shape (its window region, if it has one).
  static void Click(HWND control);
  // A tray notification as the shell sends it for the icon of `window`.
  static void Tray(HWND window, UINT mouseMessage);
  // Whether the shell knows the icon (window, 100): a modification that changes nothing fails
  // for a missing icon.
  static bool HasTrayIcon(HWND window);
  // The text of a control read from outside.
  static std::wstring Text(HWND window, int id) { return TextOf(::GetDlgItem(window, id)); }

  // Clicks the switch and waits until the setup window is the mask. Returns the panel.
  HWND ApplyMask();

 private:
  // The loaded window of our class other than those given, waiting for it to appear.
  HWND WaitForNewWindow(const std::vector<HWND>& known, DWORD ms) const;

  Child child_;
  HWND setup_ = nullptr;
};

// Alpha and flags of a layered window, as Windows reports them.
struct Layered {
  bool ok = false;
  BYTE alpha = 0;
  DWORD flags = 0;
};
Layered LayeredOf(HWND h);

}  // namespace vt
