// Notification-area icons: at most one per window, known to the shell as (window, 100).
#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "toolkit/late_bound.h"
#include "toolkit/loaded_window.h"
#include "toolkit/program_state.h"

namespace vl {
namespace {

constexpr UINT kIconId = 100;
constexpr std::size_t kTipBytes = 62;

// The original record with the 64-byte tip: the shell then reports mouse actions on the icon as
// plain mouse messages in lParam.
NOTIFYICONDATAA Record(HWND hwnd) {
  NOTIFYICONDATAA nid;
  std::memset(&nid, 0, sizeof nid);
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = hwnd;
  nid.uID = kIconId;
  return nid;
}

void FillIcon(NOTIFYICONDATAA& nid, HICON icon, const std::string& tip) {
  nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  nid.uCallbackMessage = kTrayMessage;
  nid.hIcon = icon;
  std::memcpy(nid.szTip, tip.data(), tip.size() < kTipBytes ? tip.size() : kTipBytes);
}

BOOL NotifyIcon(DWORD message, NOTIFYICONDATAA* nid) {
  static const auto notify = LateBound<decltype(&::Shell_NotifyIconA)>(L"shell32.dll", "Shell_NotifyIconA");
  return notify ? notify(message, nid) : FALSE;
}

}  // namespace

void SetTrayIcon(WindowUnit& unit, Bytes iconData, const std::string& tip) {
  LoadedWindow* w = unit.loaded;
  if (!w || !w->hwnd()) return;
  OwnedIcon icon = MakeIconFromIco(iconData, 16, 32);
  NOTIFYICONDATAA nid = Record(w->hwnd());
  if (icon) FillIcon(nid, icon.get(), tip);
  if (w->trayIcon) {
    NotifyIcon(icon ? NIM_MODIFY : NIM_DELETE, &nid);
  } else if (icon) {
    NotifyIcon(NIM_ADD, &nid);
  }
  w->trayIcon = std::move(icon);  // the old handle is destroyed here
  w->trayTip = tip.substr(0, kTipBytes);
}

void RemoveTrayIcon(LoadedWindow& w) {
  if (!w.trayIcon) return;
  NOTIFYICONDATAA nid = Record(w.hwnd());
  NotifyIcon(NIM_DELETE, &nid);
  w.trayIcon.reset();
}

void RemoveAllTrayIcons() {
  for (LoadedWindow* w : State().loaded) RemoveTrayIcon(*w);
}

void ReAddTrayIcon(LoadedWindow& w) {
  // The shell came back without our icons: a window hidden in the tray would be unreachable.
  if (!w.trayIcon) return;
  NOTIFYICONDATAA nid = Record(w.hwnd());
  FillIcon(nid, w.trayIcon.get(), w.trayTip);
  NotifyIcon(NIM_ADD, &nid);
}

void OnTrayCallback(LoadedWindow& w, LPARAM lp) {
  int type = 0;
  switch (static_cast<UINT>(lp)) {
    case WM_LBUTTONUP: type = 1; break;
    case WM_LBUTTONDBLCLK: type = 2; break;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU: type = 3; break;
    default: return;
  }
  if (TrayHandler handler = w.unit().events.trayEvent) RunHandler([&] { handler(type); });
}

}  // namespace vl
