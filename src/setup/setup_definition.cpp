#include "setup/setup_definition.h"

#include "assets/images.h"
#include "toolkit/control_defs.h"

namespace vl {

using namespace def;

ControlDef ExplanationLabel() {
  ControlDef c = Control(ControlKind::Label, "标签1", 68, 184, 145, 24);
  c.caption = "遮罩豆沙绿色可缓解视疲劳";
  c.textColour = 0x006A6A6A;
  c.backColour = 0x00FFFFFF;
  c.hAlign = 0;
  c.vAlign = 1;
  c.font = SongFont(-12, 400);
  return c;
}

ControlDef HiddenExplanationLabel() {
  ControlDef c = ExplanationLabel();
  c.name = "标签2";
  c.left = 464;
  c.top = 536;
  c.width = 280;
  c.height = 32;
  c.visible = false;
  c.caption = "可以自己自定遮罩颜色和透明度";
  c.textColour = 0x0000FF00;
  c.backColour = 0x00000000;
  c.hAlign = 1;
  c.font = SongFont(-16, 700);
  return c;
}

WindowDef MainWindowFrame() {
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
  return w;
}

ControlDef SwitchButton(Bytes normal, Bytes hover, Bytes pressed) {
  ControlDef c = Control(ControlKind::PicBtn, "图形按钮1", 194, 158, 80, 24);
  c.transparentColour = 0x00FFFFFF;
  c.normalPicture = PictureOf(normal);
  c.hoverPicture = PictureOf(hover);
  c.pressedPicture = PictureOf(pressed);
  return c;
}

ControlDef MaskColourPicker(int left, int top) {
  ControlDef c = Control(ControlKind::ColorPicker, "颜色选择器1", left, top, 40, 32);
  c.visible = false;
  c.tabStop = true;
  c.colour = kMaskColour;
  return c;
}

WindowDef SetupWindowDefinition() {
  WindowDef w = MainWindowFrame();
  w.icon = PictureOf(trayIconImage);
  w.alwaysOnTop = true;

  ControlDef opacityText = Control(ControlKind::TransLabel, "透明标签1", 944, 376, 128, 32);
  opacityText.caption = "透明标签1";
  opacityText.hAlign = 1;
  opacityText.vAlign = 1;

  ControlDef slider = Control(ControlKind::SliderBar, "滑块条1", 845, 430, 342, 32);
  slider.tabStop = true;
  slider.vertical = 0;
  slider.tickMarks = 2;
  slider.tickFrequency = 1;
  slider.selectionShown = true;
  slider.selectionStart = 0;
  slider.selectionLength = 0;
  slider.pageSize = 5;
  slider.lineSize = 2;
  slider.minimum = 1;
  slider.maximum = 255;
  slider.position = 1;

  w.controls = {
      Button("按钮3", 264, 397, 80, 32, "关闭"),
      Button("按钮2", 147, 397, 80, 32, "最小化"),
      Button("按钮1", 32, 397, 80, 32, "关于"),
      PicBox("图片框3", 77, 210, 200, 152, 0x00FFFFFF, 0, monitorPlainImage),
      ExplanationLabel(),
      PicBox("图片框2", 0, 0, 360, 144, kDefaultColour, 1, Bytes{}),
      PicBox("图片框1", 64, 159, 104, 24, 0x00FFFFFF, 2, switchCaptionImage),
      opacityText,
      SwitchButton(switchOffNormalImage, switchOffHoverImage, switchOffPressedImage),
      HiddenExplanationLabel(),
      slider,
      MaskColourPicker(632, 416),
  };
  return w;
}

}  // namespace vl
