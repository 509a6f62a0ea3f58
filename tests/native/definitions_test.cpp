// The three window definitions, checked against the layout the windows must have.
#include <gtest/gtest.h>

#include "about/about_definition.h"
#include "assets/images.h"
#include "panel/panel_definition.h"
#include "setup/setup_definition.h"
#include "toolkit/font_bytes.h"

namespace vl {
namespace {

struct Row {
  const char* name;
  ControlKind kind;
  int left, top, width, height;
  bool visible, tab;
};

void ExpectControls(const WindowDef& w, std::initializer_list<Row> rows) {
  ASSERT_EQ(w.controls.size(), rows.size());
  std::size_t i = 0;
  for (const Row& r : rows) {
    const ControlDef& c = w.controls[i++];
    SCOPED_TRACE(r.name);
    EXPECT_EQ(c.name, r.name);
    EXPECT_EQ(c.kind, r.kind);
    EXPECT_EQ(c.left, r.left);
    EXPECT_EQ(c.top, r.top);
    EXPECT_EQ(c.width, r.width);
    EXPECT_EQ(c.height, r.height);
    EXPECT_EQ(c.visible, r.visible);
    EXPECT_EQ(c.tabStop, r.tab);
    EXPECT_FALSE(c.disabled);
  }
}

const ControlDef& Named(const WindowDef& w, const char* name) {
  for (const ControlDef& c : w.controls)
    if (c.name == name) return c;
  static ControlDef none;
  ADD_FAILURE() << "no control " << name;
  return none;
}

bool SameBytes(const Picture& p, Bytes b) { return p.size() == b.size && std::equal(p.data(), p.data() + p.size(), b.data); }

// Every load builds its definition afresh; the embedded pictures are referred to, not copied.
bool SameMemory(const Picture& p, Bytes b) { return p.data() == b.data && p.size() == b.size; }

using K = ControlKind;

TEST(Definitions, SetupWindow) {
  const WindowDef w = SetupWindowDefinition();
  EXPECT_EQ(w.width, 364);
  EXPECT_EQ(w.height, 483);
  EXPECT_EQ(w.title, "Veilora0.1-Quillmart特别版");
  EXPECT_EQ(w.border, 2);
  EXPECT_EQ(w.backColour, 0x00FFFFFFu);
  EXPECT_TRUE(w.controlButtons);
  EXPECT_FALSE(w.minButton);
  EXPECT_FALSE(w.maxButton);
  EXPECT_EQ(w.placement, 1);
  EXPECT_TRUE(w.alwaysOnTop);
  EXPECT_FALSE(w.showInTaskbar);
  EXPECT_FALSE(w.escCloses);
  EXPECT_TRUE(SameBytes(w.icon, trayIconImage));
  ExpectControls(w, {
                        {"按钮3", K::Button, 264, 397, 80, 32, true, true},
                        {"按钮2", K::Button, 147, 397, 80, 32, true, true},
                        {"按钮1", K::Button, 32, 397, 80, 32, true, true},
                        {"图片框3", K::PicBox, 77, 210, 200, 152, true, false},
                        {"标签1", K::Label, 68, 184, 145, 24, true, false},
                        {"图片框2", K::PicBox, 0, 0, 360, 144, true, false},
                        {"图片框1", K::PicBox, 64, 159, 104, 24, true, false},
                        {"透明标签1", K::TransLabel, 944, 376, 128, 32, true, false},
                        {"图形按钮1", K::PicBtn, 194, 158, 80, 24, true, false},
                        {"标签2", K::Label, 464, 536, 280, 32, false, false},
                        {"滑块条1", K::SliderBar, 845, 430, 342, 32, true, true},
                        {"颜色选择器1", K::ColorPicker, 632, 416, 40, 32, false, true},
                    });
  EXPECT_EQ(Named(w, "按钮3").caption, "关闭");
  EXPECT_EQ(Named(w, "按钮2").caption, "最小化");
  EXPECT_EQ(Named(w, "按钮1").caption, "关于");
  const ControlDef& slider = Named(w, "滑块条1");
  EXPECT_EQ(slider.minimum, 1);
  EXPECT_EQ(slider.maximum, 255);
  EXPECT_EQ(slider.position, 1);
  EXPECT_EQ(slider.lineSize, 2);
  EXPECT_EQ(slider.pageSize, 5);
  EXPECT_TRUE(slider.selectionShown);
  EXPECT_EQ(Named(w, "颜色选择器1").colour, 0x00C6FFC6u);
  EXPECT_EQ(Named(w, "图形按钮1").transparentColour, 0x00FFFFFFu);
  EXPECT_TRUE(SameMemory(Named(w, "图形按钮1").normalPicture, switchOffNormalImage));
  EXPECT_TRUE(SameMemory(Named(w, "图片框3").picture, monitorPlainImage));
  EXPECT_TRUE(Named(w, "图片框2").picture.empty());
  EXPECT_EQ(Named(w, "图片框1").displayMode, 2);
  const auto font = FontToMake(Named(w, "标签1").font);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->height, -12);
  EXPECT_EQ(font->faceName, "宋体");
  EXPECT_EQ(FontToMake(Named(w, "标签2").font)->weight, 700);
  EXPECT_TRUE(Named(w, "透明标签1").font.empty());
}

TEST(Definitions, MaskPanelWindow) {
  const WindowDef w = MaskPanelWindowDefinition();
  const WindowDef setup = SetupWindowDefinition();
  EXPECT_EQ(w.width, setup.width);
  EXPECT_EQ(w.height, setup.height);
  EXPECT_EQ(w.title, setup.title);
  EXPECT_EQ(w.placement, 1);
  EXPECT_FALSE(w.alwaysOnTop);
  EXPECT_FALSE(w.showInTaskbar);
  EXPECT_TRUE(w.icon.empty());
  ExpectControls(w, {
                        {"按钮3", K::Button, 264, 397, 80, 32, true, true},
                        {"按钮2", K::Button, 147, 397, 80, 32, true, true},
                        {"按钮1", K::Button, 32, 397, 80, 32, true, true},
                        {"图片框1", K::PicBox, 64, 159, 104, 24, true, false},
                        {"图片框3", K::PicBox, 77, 210, 200, 152, true, false},
                        {"标签1", K::Label, 68, 184, 145, 24, true, false},
                        {"图片框2", K::PicBox, 0, 0, 360, 144, true, false},
                        {"图形按钮1", K::PicBtn, 194, 158, 80, 24, true, false},
                        {"标签2", K::Label, 464, 536, 280, 32, false, false},
                        {"颜色选择器1", K::ColorPicker, 1008, 640, 40, 32, false, true},
                    });
  EXPECT_TRUE(SameBytes(Named(w, "图形按钮1").normalPicture, switchOnNormalImage));
  EXPECT_TRUE(SameBytes(Named(w, "图片框3").picture, monitorTintedImage));
  EXPECT_EQ(Named(w, "标签1").font, Named(setup, "标签1").font);
}

TEST(Definitions, AboutWindow) {
  const WindowDef w = AboutWindowDefinition();
  EXPECT_EQ(w.width, 323);
  EXPECT_EQ(w.height, 304);
  EXPECT_TRUE(w.title.empty());
  EXPECT_TRUE(w.escCloses);
  EXPECT_EQ(w.backColour, kDefaultColour);
  ExpectControls(w, {
                        {"超级链接框1", K::HyperLinker, 16, 239, 107, 24, true, false},
                        {"按钮1", K::Button, 224, 235, 80, 32, true, true},
                        {"标签1", K::Label, 16, 136, 280, 80, true, false},
                        {"透明标签1", K::TransLabel, 0, 107, 320, 26, true, false},
                        {"图片框1", K::PicBox, 0, 0, 320, 100, true, false},
                    });
  const ControlDef& link = Named(w, "超级链接框1");
  EXPECT_EQ(link.linkKind, 1);
  EXPECT_TRUE(link.caption.empty());
  EXPECT_EQ(link.webAddress.find("://"), std::string::npos);  // a bare host name
  EXPECT_EQ(link.normalColour, 0x00FF0000u);
  EXPECT_EQ(link.visitedColour, 0x00000080u);
  EXPECT_EQ(link.hoverColour, 0x00C56A31u);

  // Four lines, each ending with CR LF, in the credits' shape.
  const std::string& credits = Named(w, "标签1").caption;
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = credits.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(credits.substr(start, end - start));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(credits.substr(credits.size() - 2), "\r\n");
  EXPECT_EQ(lines[0].substr(lines[0].size() - 2), "！");
  EXPECT_EQ(lines[1].rfind("特别感谢：", 0), 0u);
  EXPECT_EQ(lines[2].rfind("作者:", 0), 0u);
  EXPECT_EQ(lines[3].rfind("作者QQ：", 0), 0u);
  const std::string qq = lines[3].substr(std::string("作者QQ：").size());
  EXPECT_EQ(qq.size(), 9u);
  EXPECT_EQ(qq.find_first_not_of("0123456789"), std::string::npos);
  EXPECT_TRUE(Named(w, "透明标签1").font.size() == 60);
  EXPECT_EQ(FontToMake(Named(w, "透明标签1").font)->height, -29);
}

TEST(PictureValue, BuiltFileIsHeldAndSharedByCopies) {
  Picture copy;
  {
    std::vector<std::uint8_t> file = {'B', 'M', 1, 2, 3};
    const std::uint8_t* const original = file.data();
    const Picture held(std::move(file));
    copy = held;
    EXPECT_EQ(copy.data(), original);  // moved in, not copied, and shared by the copy
  }
  ASSERT_EQ(copy.size(), 5u);  // the copy keeps it after the first value is gone
  EXPECT_EQ(copy.data()[4], 3);
  EXPECT_TRUE(Picture(std::vector<std::uint8_t>{}).empty());
  EXPECT_TRUE(PictureOf(Bytes{}).empty());
}

}  // namespace
}  // namespace vl
