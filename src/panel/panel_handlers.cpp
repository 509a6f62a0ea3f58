#include "panel/panel_handlers.h"

#include "about/about_window.h"
#include "assets/images.h"
#include "panel/panel_window.h"
#include "panel/tray_rule.h"
#include "setup/setup_window.h"
#include "toolkit/toolkit.h"

namespace vl::panel {

void Created() {
  ApplySkin(3);
  MaskPanelWindow["图片框2"].SetPicture(bannerImage);
}

void 图形按钮1_Clicked() {
  // The fresh setup window is loaded before the panel goes, so a window is always left.
  DestroyWindow(SetupWindow);
  LoadWindow(SetupWindow, false);
  DestroyWindow(MaskPanelWindow);
}

void 按钮3_Clicked() { EndProgram(0); }

void 按钮2_Clicked() {
  SetTrayIcon(MaskPanelWindow, trayIconImage, "Veilora");
  MaskPanelWindow.SetVisible(false);
}

void 按钮1_Clicked() { LoadWindow(AboutWindow, true); }

std::optional<bool> CanClose() { EndProgram(0); }

void TrayEvent(int type) { ApplyTrayRule(MaskPanelWindow, type); }

}  // namespace vl::panel
