#include "panel/panel_definition.h"

#include "assets/images.h"
#include "setup/setup_definition.h"
#include "toolkit/control_defs.h"

namespace vl {

using namespace def;

WindowDef MaskPanelWindowDefinition() {
  WindowDef w;
  w.left = 50;
  w.top = 50;
  w.width = 364;
  w.height = 483;
  w.title = kMainWindowTitle;
  w.border = 2;
  w.backColour = 0x00FFFFFF;
  w.controlButtons = true;
  w.placement = 1;
  w.movable = true;
  w.escCloses = false;
  w.showInTaskbar = false;
  w.alwaysOnTop = false;

  ControlDef onSwitch = Control(ControlKind::PicBtn, "图形按钮1", 194, 158, 80, 24);
  onSwitch.transparentColour = 0x00FFFFFF;
  onSwitch.normalPicture = PictureOf(switchOnNormalImage);
  onSwitch.hoverPicture = PictureOf(switchOnHoverImage);
  onSwitch.pressedPicture = PictureOf(switchOnPressedImage);

  ControlDef picker = Control(ControlKind::ColorPicker, "颜色选择器1", 1008, 640, 40, 32);
  picker.visible = false;
  picker.tabStop = true;
  picker.colour = kMaskColour;

  w.controls = {
      Button("按钮3", 264, 397, 80, 32, "关闭"),
      Button("按钮2", 147, 397, 80, 32, "最小化"),
      Button("按钮1", 32, 397, 80, 32, "关于"),
      PicBox("图片框1", 64, 159, 104, 24, 0x00FFFFFF, 2, switchCaptionImage),
      PicBox("图片框3", 77, 210, 200, 152, 0x00FFFFFF, 0, monitorTintedImage),
      ExplanationLabel(),
      PicBox("图片框2", 0, 0, 360, 144, kDefaultColour, 1, Bytes{}),
      onSwitch,
      HiddenExplanationLabel(),
      picker,
  };
  return w;
}

}  // namespace vl
