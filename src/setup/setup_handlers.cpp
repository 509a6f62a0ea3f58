#include "setup/setup_handlers.h"

#include "about/about_window.h"
#include "app/globals.h"
#include "assets/images.h"
#include "panel/tray_rule.h"
#include "setup/setup_window.h"
#include "toolkit/text.h"
#include "toolkit/toolkit.h"

namespace vl::setup {

void Created() {
  ApplySkin(3);
  SetupWindow["图片框2"].SetPicture(bannerImage);
  maskOpacity = 60;
  SetupWindow["滑块条1"].SetPosition(maskOpacity);
  滑块条1_PositionChanged();
}

void 滑块条1_PositionChanged() {
  const std::string number = IntToText(SetupWindow["滑块条1"].GetPosition());
  const std::string text = JoinTexts({"透明度:  ", number.c_str()});
  SetupWindow["透明标签1"].SetCaption(text);
}

void 按钮3_Clicked() { EndProgram(0); }

std::optional<bool> CanClose() { EndProgram(0); }

void 按钮2_Clicked() {
  SetTrayIcon(SetupWindow, trayIconImage, "Veilora");
  SetupWindow.SetVisible(false);
}

void 按钮1_Clicked() {
  SetupWindow.SetAlwaysOnTop(false);
  LoadWindow(AboutWindow, true);
}

void TrayEvent(int type) { ApplyTrayRule(SetupWindow, type); }

}  // namespace vl::setup
