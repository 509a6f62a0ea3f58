#include "about/about_definition.h"

#include "assets/images.h"
#include "toolkit/control_defs.h"

namespace vl {

using namespace def;

WindowDef AboutWindowDefinition() {
  WindowDef w;
  w.left = 50;
  w.top = 50;
  w.width = 323;
  w.height = 304;
  w.title = "";
  w.border = 2;
  w.backColour = kDefaultColour;
  w.controlButtons = true;
  w.placement = 1;
  w.movable = true;
  w.escCloses = true;
  w.showInTaskbar = false;
  w.alwaysOnTop = false;

  ControlDef link = Control(ControlKind::HyperLinker, "超级链接框1", 16, 239, 107, 24);
  link.linkKind = 1;
  link.webAddress = kAuthorWebAddress;
  link.normalColour = 0x00FF0000;
  link.visitedColour = 0x00000080;
  link.hoverColour = 0x00C56A31;
  link.backColour = kDefaultColour;

  ControlDef credits = Control(ControlKind::Label, "标签1", 16, 136, 280, 80);
  credits.caption =
      "本软件由晴岚制作，以此感谢Quillmart软件园(quillmart.net)站长对晴岚的帮助！\r\n"
      "特别感谢：林一、苏木、叶青、绿荫小组、Quillmart\r\n"
      "作者:晴岚、远山\r\n"
      "作者QQ：271828182\r\n";
  credits.textColour = 0x00000000;
  credits.backColour = kDefaultColour;
  credits.hAlign = 0;
  credits.vAlign = 1;
  credits.wordWrap = true;

  ControlDef heading = Control(ControlKind::TransLabel, "透明标签1", 0, 107, 320, 26);
  heading.caption = "关于此软件";
  heading.textColour = 0x00000000;
  heading.hAlign = 1;
  heading.vAlign = 1;
  heading.font = SongFont(-29, 400);

  ControlDef close = Button("按钮1", 224, 235, 80, 32, "关闭");

  w.controls = {
      link,
      close,
      credits,
      heading,
      PicBox("图片框1", 0, 0, 320, 100, kDefaultColour, 0, aboutBannerImage),
  };
  return w;
}

}  // namespace vl
