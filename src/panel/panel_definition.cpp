#include "panel/panel_definition.h"

#include "assets/images.h"
#include "setup/setup_definition.h"
#include "toolkit/control_defs.h"

namespace vl {

using namespace def;

WindowDef MaskPanelWindowDefinition() {
  WindowDef w = MainWindowFrame();
  w.alwaysOnTop = false;  // the panel lies beneath the top-most mask

  w.controls = {
      Button("按钮3", 264, 397, 80, 32, "关闭"),
      Button("按钮2", 147, 397, 80, 32, "最小化"),
      Button("按钮1", 32, 397, 80, 32, "关于"),
      PicBox("图片框1", 64, 159, 104, 24, 0x00FFFFFF, 2, switchCaptionImage),
      PicBox("图片框3", 77, 210, 200, 152, 0x00FFFFFF, 0, monitorTintedImage),
      ExplanationLabel(),
      PicBox("图片框2", 0, 0, 360, 144, kDefaultColour, 1, Bytes{}),
      SwitchButton(switchOnNormalImage, switchOnHoverImage, switchOnPressedImage),
      HiddenExplanationLabel(),
      MaskColourPicker(1008, 640),
  };
  return w;
}

}  // namespace vl
