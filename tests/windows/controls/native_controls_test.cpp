// SliderBar, ColorPicker and HyperLinker in a window of the tests' own, checked through what the
// trackbar reports, pixels read back from the screen, and real mouse and key input.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "controls/one_window.h"
#include "support/processes.h"
#include "support/windows.h"

namespace vt {
namespace {

using vl::ControlDef;
using vl::ControlKind;

LRESULT Ask(HWND h, UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return ::SendMessageW(h, msg, wp, lp); }

// ---------------------------------------------------------------- SliderBar

// As the setup window defines its opacity slider.
ControlDef OpacitySlider() {
  ControlDef c = Defined(ControlKind::SliderBar, kSlider, 20, 20, 342, 32);
  c.minimum = 1;
  c.maximum = 255;
  c.position = 1;
  c.lineSize = 2;
  c.pageSize = 5;
  c.tickFrequency = 1;
  c.tickMarks = 2;
  c.selectionShown = true;
  return c;
}

using Slider = OneWindowTest;

TEST_F(Slider, WrittenPositionMovesTheThumbWithoutAnEvent) {
  ASSERT_TRUE(Load({OpacitySlider()}));
  HWND slider = HandleOf(kSlider);
  ASSERT_TRUE(slider);
  // The stored value is clamped to 0..32767 and read back as stored; the thumb goes to the
  // nearest point of the range.
  const struct {
    int written, thumb, read;
  } cases[] = {{60, 60, 60}, {255, 255, 255}, {1, 1, 1}, {0, 1, 0}, {300, 255, 300},
               {-5, 1, 0},   {40000, 255, 32767}, {128, 128, 128}};
  for (const auto& c : cases) {
    g_unit[kSlider].SetPosition(c.written);
    RunLoop(10);
    EXPECT_EQ(Ask(slider, TBM_GETPOS), c.thumb) << c.written;
    EXPECT_EQ(g_unit[kSlider].GetPosition(), c.read) << c.written;
  }
  EXPECT_TRUE(g_seen.positions.empty()) << "a written position raised PositionChanged";
}

TEST_F(Slider, ReadingNeverAsksTheTrackbar) {
  ASSERT_TRUE(Load({OpacitySlider()}));
  HWND slider = HandleOf(kSlider);
  g_unit[kSlider].SetPosition(60);
  Ask(slider, TBM_SETPOS, TRUE, 200);  // behind the control's back, with no notification
  EXPECT_EQ(g_unit[kSlider].GetPosition(), 60);
}

TEST_F(Slider, CreationClampsTheDefinedValues) {
  struct Case {
    const char* what;
    int minimum, maximum, position, lineSize, pageSize, selStart, selLength;
    int low, high, thumb, line, page, selFrom, selTo, read;
  };
  const Case cases[] = {
      {"as defined", 1, 255, 1, 2, 5, 0, 0, 1, 255, 1, 2, 5, 1, 1, 1},
      {"minimum above maximum", 255, 1, 60, 2, 5, 0, 0, 1, 255, 60, 2, 5, 1, 1, 60},
      {"position below the range", 10, 20, 5, 1, 2, 0, 0, 10, 20, 10, 1, 2, 10, 10, 5},
      {"position above the range", 10, 20, 50, 1, 2, 0, 0, 10, 20, 20, 1, 2, 10, 10, 50},
      {"line size 0", 10, 20, 15, 0, 2, 0, 0, 10, 20, 15, 1, 2, 10, 10, 15},
      {"steps wider than the range", 10, 20, 15, 100, 100, 12, 3, 10, 20, 15, 10, 10, 12, 15, 15},
      {"empty range", 7, 7, 3, 5, 9, 0, 0, 7, 7, 7, 1, 1, 7, 7, 3},
      {"negative values", -10, 40000, -3, -1, -1, 30, 50, 0, 32767, 0, 1, 1, 30, 80, 0},
      {"selection past the end", 1, 255, 1, 2, 5, 250, 100, 1, 255, 1, 2, 5, 250, 255, 1},
  };
  for (const Case& c : cases) {
    ControlDef d = OpacitySlider();
    d.minimum = c.minimum;
    d.maximum = c.maximum;
    d.position = c.position;
    d.lineSize = c.lineSize;
    d.pageSize = c.pageSize;
    d.selectionStart = c.selStart;
    d.selectionLength = c.selLength;
    ASSERT_TRUE(Load({d})) << c.what;
    HWND slider = HandleOf(kSlider);
    EXPECT_EQ(Ask(slider, TBM_GETRANGEMIN), c.low) << c.what;
    EXPECT_EQ(Ask(slider, TBM_GETRANGEMAX), c.high) << c.what;
    EXPECT_EQ(Ask(slider, TBM_GETPOS), c.thumb) << c.what;
    EXPECT_EQ(Ask(slider, TBM_GETLINESIZE), c.line) << c.what;
    EXPECT_EQ(Ask(slider, TBM_GETPAGESIZE), c.page) << c.what;
    EXPECT_EQ(Ask(slider, TBM_GETSELSTART), c.selFrom) << c.what;
    EXPECT_EQ(Ask(slider, TBM_GETSELEND), c.selTo) << c.what;
    EXPECT_EQ(g_unit[kSlider].GetPosition(), c.read) << c.what;
    Unload();
  }
  EXPECT_TRUE(g_seen.positions.empty());
}

TEST_F(Slider, StyleFollowsTickMarksOrientationAndSelection) {
  constexpr LONG kTickBits = TBS_NOTICKS | TBS_TOP | TBS_BOTH;  // TBS_TOP == TBS_LEFT, TBS_BOTTOM == TBS_RIGHT == 0
  const struct {
    int tickMarks, vertical;
    bool selection;
    LONG ticks;
  } cases[] = {{0, 0, false, TBS_NOTICKS}, {1, 0, true, TBS_TOP},   {2, 0, true, TBS_BOTTOM},
               {3, 0, false, TBS_BOTH},    {1, 1, false, TBS_LEFT}, {2, 1, true, TBS_RIGHT},
               {9, 5, false, TBS_BOTH},    {-1, -1, true, TBS_NOTICKS}};
  for (const auto& c : cases) {
    ControlDef d = OpacitySlider();
    d.tickMarks = c.tickMarks;
    d.vertical = c.vertical;
    d.selectionShown = c.selection;
    ASSERT_TRUE(Load({d}));
    HWND slider = HandleOf(kSlider);
    EXPECT_EQ(ClassOf(slider), L"msctls_trackbar32");
    const LONG style = Style(slider);
    EXPECT_TRUE(style & TBS_AUTOTICKS);
    EXPECT_EQ(style & kTickBits, c.ticks) << c.tickMarks << "/" << c.vertical;
    EXPECT_EQ((style & TBS_VERT) != 0, c.vertical >= 1) << c.vertical;
    EXPECT_EQ((style & TBS_ENABLESELRANGE) != 0, c.selection);
    Unload();
  }
}

TEST_F(Slider, EachKeyMovesByItsStepAndRaisesOnce) {
  ASSERT_TRUE(Load({OpacitySlider()}));
  HWND slider = HandleOf(kSlider);
  ::SetFocus(slider);
  ASSERT_EQ(::GetFocus(), slider);
  const struct {
    WORD key;
    int expected;
  } cases[] = {{VK_RIGHT, 102}, {VK_DOWN, 102}, {VK_LEFT, 98}, {VK_UP, 98},
               {VK_NEXT, 105},  {VK_PRIOR, 95}, {VK_HOME, 1},  {VK_END, 255}};
  for (const auto& c : cases) {
    g_unit[kSlider].SetPosition(100);
    g_seen.positions.clear();
    Key(c.key);
    ASSERT_EQ(g_seen.positions.size(), 1u) << "key " << c.key;
    EXPECT_EQ(g_seen.positions[0], c.expected) << "position seen by the handler, key " << c.key;
    EXPECT_EQ(g_unit[kSlider].GetPosition(), c.expected) << "key " << c.key;
    EXPECT_EQ(Ask(slider, TBM_GETPOS), c.expected) << "key " << c.key;
  }
}

TEST_F(Slider, EveryScrollCodeButEndTrackStoresAndRaises) {
  ASSERT_TRUE(Load({OpacitySlider()}));
  HWND top = TopOf(), slider = HandleOf(kSlider);
  const WORD codes[] = {TB_LINEUP, TB_LINEDOWN, TB_PAGEUP,   TB_PAGEDOWN, TB_THUMBPOSITION,
                        TB_THUMBTRACK, TB_TOP,  TB_BOTTOM, TB_ENDTRACK};
  int thumb = 10;
  for (WORD code : codes) {
    g_unit[kSlider].SetPosition(50);
    g_seen.positions.clear();
    Ask(slider, TBM_SETPOS, TRUE, ++thumb);  // where the trackbar now says it is
    Ask(top, WM_HSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(slider));
    if (code == TB_ENDTRACK) {
      EXPECT_TRUE(g_seen.positions.empty()) << "the end of a movement raised PositionChanged";
      EXPECT_EQ(g_unit[kSlider].GetPosition(), 50) << "the end of a movement stored a position";
    } else {
      EXPECT_EQ(g_seen.positions, std::vector<int>{thumb}) << "code " << code;
    }
  }
}

TEST_F(Slider, DraggingTheThumbRaisesPerMoveAndOnceOnRelease) {
  ASSERT_TRUE(Load({OpacitySlider()}));
  HWND slider = HandleOf(kSlider);
  g_unit[kSlider].SetPosition(60);
  RunLoop(20);
  RECT thumb{};
  Ask(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  // Mouse messages go straight to the trackbar, which tracks the drag itself: real pointer input
  // is echoed back through the X server here and would add moves of its own.
  const int x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
  ::SendMessageW(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  RunLoop(30);
  ASSERT_TRUE(g_seen.positions.empty()) << "pressing the thumb alone raised PositionChanged";
  const int moves = 3;
  for (int i = 1; i <= moves; ++i) {
    ::SendMessageW(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 15 * i, y));
    RunLoop(10);
  }
  ::SendMessageW(slider, WM_LBUTTONUP, 0, MAKELPARAM(x + 15 * moves, y));
  RunLoop(50);
  ASSERT_EQ(g_seen.positions.size(), static_cast<std::size_t>(moves + 1));
  for (int i = 1; i < moves; ++i) EXPECT_GT(g_seen.positions[i], g_seen.positions[i - 1]);
  EXPECT_GT(g_seen.positions[0], 60);
  EXPECT_EQ(g_seen.positions[moves], g_seen.positions[moves - 1]) << "the release repeats the last position";
  EXPECT_EQ(g_unit[kSlider].GetPosition(), Ask(slider, TBM_GETPOS));
}

// ---------------------------------------------------------------- ColorPicker

constexpr COLORREF kPaleGreen = 0x00C6FFC6;

ControlDef Picker(vl::Colour colour, bool transparentOffered = false) {
  ControlDef c = Defined(ControlKind::ColorPicker, kPicker, 20, 20, 40, 32);
  c.colour = colour;
  c.transparentOffered = transparentOffered;
  return c;
}

ControlDef PlainButton(const char* name, int left) {
  ControlDef b = Defined(ControlKind::Button, name, left, 200, 80, 30);
  b.caption = name;
  return b;
}

BOOL CALLBACK CollectPalette(HWND h, LPARAM out) {
  if (ClassOf(h) == L"VeiloraPalette" && ::IsWindowVisible(h)) reinterpret_cast<std::vector<HWND>*>(out)->push_back(h);
  return TRUE;
}

// The palette popups of this thread that are on screen.
std::vector<HWND> Palettes() {
  std::vector<HWND> found;
  ::EnumThreadWindows(::GetCurrentThreadId(), CollectPalette, reinterpret_cast<LPARAM>(&found));
  return found;
}

using ColourPicker = OneWindowTest;

TEST_F(ColourPicker, HoldsAndShowsTheDefinedColour) {
  const struct {
    vl::Colour defined;
    bool transparentOffered;
    bool swatchIsBlack;  // where the defined value itself is no pixel colour
  } cases[] = {{kPaleGreen, false, false},
               {RGB(200, 30, 40), true, false},
               {0, false, false},
               {vl::kDefaultColour, false, true},  // no transparent choice: shown as black
               {vl::kDefaultColour, true, false}};
  for (const auto& c : cases) {
    ASSERT_TRUE(Load({Picker(c.defined, c.transparentOffered)}));
    EXPECT_EQ(g_unit[kPicker].GetColor(), c.defined);
    const Shot shot = Capture(HandleOf(kPicker));
    const COLORREF centre = shot.at(shot.width / 2, shot.height / 2);
    if (c.swatchIsBlack)
      EXPECT_EQ(centre, RGB(0, 0, 0));
    else if (c.defined == vl::kDefaultColour)
      EXPECT_NE(centre, RGB(0, 0, 0)) << "transparent is not drawn as black when it is offered";
    else
      EXPECT_EQ(centre, c.defined & 0xFFFFFF);
    Unload();
  }
}

TEST_F(ColourPicker, WrittenColourIsReadBackAndShown) {
  ASSERT_TRUE(Load({Picker(kPaleGreen)}));
  for (vl::Colour colour : {RGB(10, 20, 30), RGB(255, 255, 255), kPaleGreen}) {
    g_unit[kPicker].SetColor(colour);
    EXPECT_EQ(g_unit[kPicker].GetColor(), colour);
    const Shot shot = Capture(HandleOf(kPicker));
    EXPECT_EQ(shot.at(shot.width / 2, shot.height / 2), colour);
  }
}

TEST_F(ColourPicker, HiddenPickerNeverTakesTheFocusByTab) {
  ControlDef picker = Picker(kPaleGreen);
  picker.visible = false;  // as both pickers of the system: hidden, yet defined as a Tab stop
  ASSERT_TRUE(Load({PlainButton("按钮1", 20), picker, PlainButton("按钮2", 120)}));
  HWND first = HandleOf("按钮1"), second = HandleOf("按钮2"), hidden = HandleOf(kPicker);
  ::SetFocus(first);
  ASSERT_EQ(::GetFocus(), first);
  std::vector<HWND> visited;
  for (int i = 0; i < 4; ++i) {
    Key(VK_TAB);
    visited.push_back(::GetFocus());
  }
  EXPECT_EQ(visited, (std::vector<HWND>{second, first, second, first}));
  EXPECT_TRUE(std::find(visited.begin(), visited.end(), hidden) == visited.end());
}

TEST_F(ColourPicker, PaletteChoiceBecomesTheColour) {
  ASSERT_TRUE(Load({Picker(kPaleGreen)}));
  HWND picker = HandleOf(kPicker);
  const POINT c = ScreenCentre(picker);
  ClickAt(c.x, c.y);
  ASSERT_TRUE(RunUntil([] { return Palettes().size() == 1; })) << "no palette dropped down";
  HWND palette = Palettes()[0];
  EXPECT_EQ(::GetWindow(palette, GW_OWNER), TopOf());
  // Whichever way the palette is laid out, one of its named colours is pure red: choose it.
  const Shot shot = Capture(palette);
  POINT red{-1, -1};
  for (int y = 0; y < shot.height && red.x < 0; ++y)
    for (int x = 0; x < shot.width; ++x)
      if (shot.at(x, y) == RGB(255, 0, 0)) {
        red = {x, y};
        break;
      }
  ASSERT_GE(red.x, 0) << "no red in the palette";
  ::ClientToScreen(palette, &red);
  ClickAt(red.x + 2, red.y + 2);
  EXPECT_TRUE(RunUntil([] { return Palettes().empty(); })) << "the palette stayed open";
  EXPECT_EQ(g_unit[kPicker].GetColor(), RGB(255, 0, 0));
  const Shot after = Capture(picker);
  EXPECT_EQ(after.at(after.width / 2, after.height / 2), RGB(255, 0, 0));
}

TEST_F(ColourPicker, PressOutsideClosesThePaletteAndKeepsTheColour) {
  ASSERT_TRUE(Load({Picker(kPaleGreen)}));
  const POINT c = ScreenCentre(HandleOf(kPicker));
  ClickAt(c.x, c.y);
  ASSERT_TRUE(RunUntil([] { return Palettes().size() == 1; }));
  const RECT window = WindowRect(TopOf());
  ClickAt(window.right - 20, window.bottom - 20);
  EXPECT_TRUE(RunUntil([] { return Palettes().empty(); }));
  EXPECT_EQ(g_unit[kPicker].GetColor(), kPaleGreen);
}

TEST_F(ColourPicker, WindowDestroyedWithThePaletteOpen) {
  ASSERT_TRUE(Load({Picker(kPaleGreen)}));
  const POINT c = ScreenCentre(HandleOf(kPicker));
  ClickAt(c.x, c.y);
  ASSERT_TRUE(RunUntil([] { return Palettes().size() == 1; }));
  HWND palette = Palettes()[0];
  Unload();  // the fixture then checks that no handle is left
  EXPECT_FALSE(::IsWindow(palette));
  MouseAway();
  ::mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);  // a press after the fact reaches nothing stale
  ::mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  RunLoop(30);
}

// ---------------------------------------------------------------- HyperLinker

constexpr COLORREF kNormal = RGB(255, 0, 0), kVisited = RGB(0, 160, 0), kHover = RGB(0, 0, 255);

// A program every Wine and Windows has, which the shell starts and which ends at once when
// given nothing to do: a harmless address to open successfully.
std::string HarmlessAddress() {
  char dir[MAX_PATH] = {};
  ::GetSystemDirectoryA(dir, MAX_PATH);
  return std::string(dir) + "\\rundll32.exe";
}

ControlDef Link(int kind, const std::string& email, const std::string& web) {
  ControlDef c = Defined(ControlKind::HyperLinker, kLink, 20, 20, 300, 30);
  c.tabStop = false;
  c.linkKind = kind;
  c.emailAddress = email;
  c.webAddress = web;
  c.normalColour = kNormal;
  c.visitedColour = kVisited;
  c.hoverColour = kHover;
  // A bold face, so that plenty of text pixels come out in the exact colour.
  c.font.assign(60, 0);
  c.font[0] = static_cast<std::uint8_t>(-20 & 0xFF);
  c.font[1] = c.font[2] = c.font[3] = 0xFF;  // lfHeight -20
  c.font[16] = 0xBC;
  c.font[17] = 0x02;  // lfWeight 700
  return c;
}

// The colour the text shows in: whichever of the three it uses, or 0 for none.
COLORREF TextColour(HWND link) {
  const Shot s = Capture(link);
  const int normal = s.Count(kNormal), visited = s.Count(kVisited), hover = s.Count(kHover);
  if (normal && !visited && !hover) return kNormal;
  if (visited && !normal && !hover) return kVisited;
  if (hover && !normal && !visited) return kHover;
  return 0;
}

void Press(HWND h) { ::SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); }
void Release(HWND h) { ::SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5)); }

bool HtmBrowserRegistered() {
  char value[MAX_PATH];
  LONG size = sizeof value;
  return ::RegQueryValueA(HKEY_CLASSES_ROOT, ".htm", value, &size) == ERROR_SUCCESS;
}

using HyperLink = OneWindowTest;

TEST_F(HyperLink, OpensOnThePressNotTheRelease) {
  ASSERT_TRUE(Load({Link(1, "", HarmlessAddress())}));
  HWND link = HandleOf(kLink);
  ASSERT_EQ(TextColour(link), kNormal) << "the address is the text when there is no caption";
  Release(link);
  RunLoop(20);
  EXPECT_EQ(TextColour(link), kNormal) << "a release alone opened the link";
  Press(link);
  RunLoop(20);
  EXPECT_EQ(TextColour(link), kVisited) << "the press did not open the link";
}

TEST_F(HyperLink, VisitedOnlyAfterASuccessfulOpen) {
  struct Case {
    const char* what;
    int kind;
    std::string email, web;
    bool opens;
  };
  const Case cases[] = {
      {"web address the shell runs", 1, "x@example.com", HarmlessAddress(), true},
      {"any kind but 0 is a web address", 7, "", HarmlessAddress(), true},
      {"empty web address", 1, HarmlessAddress(), "", false},
      {"empty e-mail address", 0, "", HarmlessAddress(), false},
      // Only as "mailto:" does Wine's shell hand an e-mail address to its mail handler.
      {"e-mail address", 0, "veilora@example.com", "", true},
  };
  for (const Case& c : cases) {
    ControlDef d = Link(c.kind, c.email, c.web);
    d.caption = "链接";
    ASSERT_TRUE(Load({d})) << c.what;
    HWND link = HandleOf(kLink);
    Press(link);
    Release(link);
    RunLoop(20);
    EXPECT_EQ(TextColour(link), c.opens ? kVisited : kNormal) << c.what;
    Unload();
  }
}

TEST_F(HyperLink, FailedShellAndFallbackLeaveItUnvisited) {
  if (HtmBrowserRegistered()) GTEST_SKIP() << "a browser is registered for .htm: the fallback would open it";
  ASSERT_TRUE(Load({Link(1, "", "veilora-no-such-scheme:page")}));
  HWND link = HandleOf(kLink);
  for (int i = 0; i < 2; ++i) {
    Press(link);
    Release(link);
    RunLoop(20);
    EXPECT_TRUE(::IsWindow(link));
    EXPECT_EQ(TextColour(link), kNormal);
  }
}

TEST_F(HyperLink, HoverColourWhileTheMouseIsOver) {
  ASSERT_TRUE(Load({Link(1, "", HarmlessAddress())}));
  HWND link = HandleOf(kLink);
  const POINT c = ScreenCentre(link);
  MouseMoveTo(c.x, c.y);
  ASSERT_TRUE(RunUntil([link] { return ::GetCapture() == link; })) << "no capture while hovered";
  EXPECT_EQ(TextColour(link), kHover);
  EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
  MouseMoveTo(c.x + 5, c.y);  // still over it
  EXPECT_EQ(TextColour(link), kHover);
  const RECT rc = WindowRect(link);
  MouseMoveTo(c.x, rc.bottom + 20);
  EXPECT_TRUE(RunUntil([link] { return ::GetCapture() != link; })) << "capture kept after leaving";
  EXPECT_EQ(TextColour(link), kNormal);
}

}  // namespace
}  // namespace vt
