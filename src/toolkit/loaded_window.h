// A loaded window unit: the native top-level window, its controls and the state the toolkit keeps
// for it (destroy-pending, modal bookkeeping, notification-area icon).
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/control.h"
#include "toolkit/definition.h"
#include "toolkit/handles.h"
#include "toolkit/toolkit.h"

namespace vl {

inline constexpr UINT kDestroyMessage = WM_APP + 101;
inline constexpr UINT kTrayMessage = WM_APP + 100;

class LoadedWindow {
 public:
  LoadedWindow(WindowUnit& unit, WindowDef def);
  ~LoadedWindow();
  LoadedWindow(const LoadedWindow&) = delete;
  LoadedWindow& operator=(const LoadedWindow&) = delete;

  // Creates the native window and its controls. False when the window cannot be created.
  bool Create(HWND owner);

  HWND hwnd() const { return hwnd_.get(); }
  WindowUnit& unit() { return unit_; }
  WindowDef& props() { return props_; }
  Control* FindControl(const char* name);
  Control* FindControl(HWND child);

  // Disables every other loaded top-level window, remembering each one's state.
  void DisableOthers();
  // Gives each window this one disabled its remembered state back.
  void ReenableOthers();
  // Destroys the native window now, as the deferred destroy does.
  void DestroyNow();

  bool destroyPending = false;
  OwnedIcon trayIcon;  // the icon shown in the notification area, if any
  std::string trayTip;

  // Properties with a native effect.
  void ApplyCaptionStyle();
  void ApplyAlwaysOnTop();
  void ApplyMovable();
  void ApplyPlacement();
  void ApplyBackColor();

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnClose();
  LRESULT OnQueryEndSession(WPARAM wp, LPARAM lp);
  void OnNcDestroy();
  void SetIcons();

  WindowUnit& unit_;
  WindowDef props_;
  OwnedWindow hwnd_;
  OwnedBrush backBrush_;
  OwnedIcon bigIcon_, smallIcon_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<std::pair<HWND, bool>> disabled_;
};

}  // namespace vl
