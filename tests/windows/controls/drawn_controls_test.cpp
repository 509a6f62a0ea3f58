// The kinds the toolkit draws itself (PicBox, PicBtn, TransLabel) and Button pictures, in a
// window of the tests' own, checked through pixels read back from the screen, window regions,
// hit tests and real mouse input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "support/pixels.h"
#include "support/processes.h"
#include "support/windows.h"
#include "toolkit/control_defs.h"
#include "toolkit/controls/dib.h"
#include "toolkit/handles.h"
#include "toolkit/program_state.h"
#include "toolkit/toolkit.h"

namespace vl {
namespace {

using Pixels = std::function<COLORREF(int x, int y)>;

// A 24-bit bottom-up BMP file, as the system's own pictures are.
Picture Bmp(int w, int h, const Pixels& at) {
  const int stride = (w * 3 + 3) & ~3;
  const std::uint32_t size = 54 + stride * h;
  std::vector<std::uint8_t> f(size, 0);
  auto put16 = [&](int o, std::uint32_t v) { f[o] = v & 0xFF; f[o + 1] = (v >> 8) & 0xFF; };
  auto put32 = [&](int o, std::uint32_t v) { put16(o, v & 0xFFFF); put16(o + 2, v >> 16); };
  f[0] = 'B';
  f[1] = 'M';
  put32(2, size);
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(w));
  put32(22, static_cast<std::uint32_t>(h));
  put16(26, 1);
  put16(28, 24);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const COLORREF c = at(x, y);
      const int o = 54 + (h - 1 - y) * stride + x * 3;
      f[o] = GetBValue(c);
      f[o + 1] = GetGValue(c);
      f[o + 2] = GetRValue(c);
    }
  return f;
}

Pixels Solid(COLORREF c) {
  return [c](int, int) { return c; };
}
// Every pixel tells where it came from, so any shift or cut shows.
COLORREF Coded(int x, int y) { return RGB(x & 0xFF, y & 0xFF, 0x40); }

constexpr COLORREF kWhite = RGB(255, 255, 255);

// What a window shows: its client area read back from the screen.
using vt::Shot;
// Pixels as they are at once, without painting first: writes must show without a message pump.
Shot Capture(HWND top) { return vt::CaptureClient(top); }

// A control's top-left corner in its window's client coordinates.
POINT OriginIn(HWND top, HWND control) {
  POINT p{0, 0};
  ::MapWindowPoints(control, top, &p, 1);
  return p;
}

POINT ScreenPoint(HWND control, int x, int y) {
  POINT p{x, y};
  ::ClientToScreen(control, &p);
  return p;
}

// Real mouse input at an exact pixel. Absolute coordinates are 1/65536ths of the screen, which
// Wine truncates back to pixels: aiming at a pixel's middle lands on it at every screen width.
// Button events carry the position too: without it Wine takes the X pointer's, which input
// does not move. Wine also echoes each move later through the X server, so each event is given
// time for its echo before the next.
void Mouse(POINT p, DWORD buttons) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>(((p.x * 2LL + 1) * 65536) / (2LL * vt::ScreenWidth()));
  in.mi.dy = static_cast<LONG>(((p.y * 2LL + 1) * 65536) / (2LL * vt::ScreenHeight()));
  in.mi.dwFlags = buttons | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &in, sizeof in);
  vt::Pump(100);
}
void MoveMouse(POINT p) { Mouse(p, 0); }

std::string Hex(COLORREF c) {
  char b[16];
  snprintf(b, sizeof b, "%06lX", static_cast<unsigned long>(c));
  return b;
}

// The test window: its definition is set by each test before loading.
WindowDef g_host;
WindowDef Host() { return g_host; }

int g_clicks = 0;
void CountClick() { ++g_clicks; }

WindowUnit Unit{"DrawnHost", Host, {nullptr, nullptr, nullptr, {{"图形按钮", &CountClick}}}};

ControlDef Make(ControlKind kind, const char* name, int left, int top, int width, int height) {
  return def::Control(kind, name, left, top, width, height);
}

class Drawn : public ::testing::Test {
 protected:
  // Once per process: a second hidden owner would take the first one's windows with it.
  static void SetUpTestSuite() {
    if (!State().hiddenOwner.get()) InitToolkit();
  }

  void SetUp() override {
    handlesBefore_ = LiveHandles();
    g_clicks = 0;
    g_host = WindowDef{};
    g_host.left = 40;
    g_host.top = 40;
    g_host.width = 360;
    g_host.height = 220;
    g_host.border = 0;
    g_host.controlButtons = false;
    g_host.backColour = kWhite;
    g_host.showInTaskbar = false;
    g_host.alwaysOnTop = true;  // real clicks must land on it
  }

  void TearDown() override {
    MoveMouse({vt::ScreenWidth() - 1, vt::ScreenHeight() - 1});
    Unload();
    // Every bitmap, region, DC and window the controls made is gone with the window.
    EXPECT_EQ(LiveHandles(), handlesBefore_);
  }

  HWND Load(std::vector<ControlDef> controls) {
    g_host.controls = std::move(controls);
    EXPECT_TRUE(LoadWindow(Unit, false));
    HWND top = reinterpret_cast<HWND>(GetWindowHandle(Unit));
    // Painted through the message loop, as the program's windows are.
    vt::WaitFor([top] { return ::IsWindowVisible(top) != FALSE; }, 3000);
    vt::Pump(100);
    return top;
  }

  void Unload() {
    if (!Unit.IsLoaded()) return;
    DestroyWindow(Unit);
    vt::WaitFor([] { return !Unit.IsLoaded(); }, 3000);
    CollectGraveyard();
  }

  HWND Child(const char* name) { return reinterpret_cast<HWND>(Unit[name].Handle()); }

  long handlesBefore_ = 0;
};

// --- PicBox ---------------------------------------------------------------------------------

constexpr COLORREF kAny = 0xFFFFFFFF;        // not checked
constexpr COLORREF kNotBack = 0xFEFFFFFF;    // anything but the box's background

struct BoxCase {
  const char* name;
  int boxW, boxH;
  int picW, picH;
  Pixels picture;  // null: the picture bytes are `raw`
  Picture raw;
  int mode;
  Colour back;
  std::function<COLORREF(int x, int y)> expected;  // what the box shows at (x, y)
};

// Where the picture's pixel lands as plain copy at an offset, background elsewhere.
std::function<COLORREF(int, int)> CopiedAt(int dx, int dy, int w, int h, COLORREF back) {
  return [=](int x, int y) {
    const int px = x - dx, py = y - dy;
    return px >= 0 && py >= 0 && px < w && py < h ? Coded(px, py) : back;
  };
}

// A solid picture shrunk into [l, r) x [t, b) of the box.
std::function<COLORREF(int, int)> FilledIn(int l, int t, int r, int b, COLORREF colour, COLORREF back) {
  return [=](int x, int y) { return x >= l && x < r && y >= t && y < b ? colour : back; };
}

COLORREF Quadrant(int x, int y, int w, int h) {
  static constexpr COLORREF kColours[] = {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255), RGB(255, 200, 0)};
  return kColours[(y >= h / 2 ? 2 : 0) + (x >= w / 2 ? 1 : 0)];
}

TEST_F(Drawn, PicBoxLaysOutThePictureByDisplayMode) {
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  const COLORREF blue = RGB(20, 40, 200);
  const BoxCase cases[] = {
      {"natural, larger than the box: its top-left part", 100, 40, 150, 60, Coded, {}, 0, kWhite,
       CopiedAt(0, 0, 150, 60, kWhite)},
      {"natural, smaller: background beside and below", 100, 40, 30, 20, Coded, {}, 0, kWhite,
       CopiedAt(0, 0, 30, 20, kWhite)},
      {"centred, smaller: natural size in the middle", 104, 24, 94, 18, Coded, {}, 2, kWhite,
       CopiedAt(5, 3, 94, 18, kWhite)},
      {"centred, too wide: shrunk by the width ratio", 100, 40, 200, 40, Solid(blue), {}, 2, kWhite,
       FilledIn(0, 10, 100, 30, blue, kWhite)},
      {"centred, too tall: shrunk by the height ratio", 100, 40, 50, 80, Solid(blue), {}, 2, kWhite,
       FilledIn(37, 0, 62, 40, blue, kWhite)},
      {"stretched over the whole box", 100, 40, 20, 10, [](int x, int y) { return Quadrant(x, y, 20, 10); },
       {}, 1, kWhite,
       [](int x, int y) {
         // Stretching may blend where the quadrants meet; away from there each shows whole.
         if (std::abs(x - 50) < 8 || std::abs(y - 20) < 5) return kNotBack;
         return Quadrant(x, y, 100, 40);
       }},
      {"undecodable picture: background only", 100, 40, 0, 0, nullptr, std::vector<std::uint8_t>{'B', 'M', 1, 2, 3, 4}, 2, kWhite,
       FilledIn(0, 0, 0, 0, 0, kWhite)},
      {"no picture, default background: button face", 100, 40, 0, 0, nullptr, {}, 0, kDefaultColour,
       FilledIn(0, 0, 0, 0, 0, face)},
  };
  for (const BoxCase& c : cases) {
    SCOPED_TRACE(c.name);
    ControlDef box = Make(ControlKind::PicBox, "图片框", 10, 10, c.boxW, c.boxH);
    box.picture = c.picture ? Bmp(c.picW, c.picH, c.picture) : c.raw;
    box.displayMode = c.mode;
    box.backColour = c.back;
    HWND top = Load({box});
    ASSERT_TRUE(Child("图片框"));
    const POINT o = OriginIn(top, Child("图片框"));
    const Shot shot = Capture(top);
    const COLORREF back = c.back == kDefaultColour ? face : c.back;
    int wrong = 0;
    for (int y = 0; y < c.boxH; ++y)
      for (int x = 0; x < c.boxW; ++x) {
        const COLORREF want = c.expected(x, y), got = shot.at(o.x + x, o.y + y);
        const bool ok = want == kAny || (want == kNotBack ? got != back : got == want);
        if (!ok && wrong++ < 3) ADD_FAILURE() << "at (" << x << "," << y << ") " << Hex(got) << " not " << Hex(want);
      }
    EXPECT_EQ(wrong, 0);
    // Nothing is drawn outside the box.
    EXPECT_EQ(shot.at(o.x - 1, o.y + 5), kWhite);
    EXPECT_EQ(shot.at(o.x + c.boxW, o.y + 5), kWhite);
    Unload();
  }
}

TEST_F(Drawn, WritingPictureReplacesOrRemovesItAtOnce) {
  const COLORREF red = RGB(220, 0, 0), blue = RGB(0, 0, 220);
  ControlDef box = Make(ControlKind::PicBox, "图片框", 10, 10, 60, 40);
  box.picture = Bmp(20, 20, Solid(red));
  box.backColour = kWhite;
  HWND top = Load({box});
  const POINT o = OriginIn(top, Child("图片框"));
  ASSERT_EQ(Capture(top).at(o.x + 5, o.y + 5), red);

  const Picture larger = Bmp(30, 30, Solid(blue));
  const Picture garbage = std::vector<std::uint8_t>{'B', 'M', 0, 0};
  struct Step {
    const char* name;
    Bytes bytes;
    COLORREF inside, beyondOld;  // at (5, 5), and at (25, 25) outside the first picture
  } steps[] = {
      {"a larger picture", {larger.data(), larger.size()}, blue, blue},
      {"garbage", {garbage.data(), garbage.size()}, kWhite, kWhite},
      {"the larger one again", {larger.data(), larger.size()}, blue, blue},
      {"empty", {}, kWhite, kWhite},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    Unit["图片框"].SetPicture(s.bytes);
    const Shot shot = Capture(top);  // no message pumped: the write has already redrawn
    EXPECT_EQ(shot.at(o.x + 5, o.y + 5), s.inside);
    EXPECT_EQ(shot.at(o.x + 25, o.y + 25), s.beyondOld);
    EXPECT_EQ(shot.at(o.x + 45, o.y + 35), kWhite);
  }
}

TEST_F(Drawn, WrittenPictureIsKeptEvenWhenTheCallersBytesChange) {
  const COLORREF red = RGB(220, 0, 0), blue = RGB(0, 0, 220);
  ControlDef box = Make(ControlKind::PicBox, "图片框", 10, 10, 60, 40);
  box.backColour = kWhite;
  HWND top = Load({box});
  const POINT o = OriginIn(top, Child("图片框"));

  const Picture redFile = Bmp(20, 20, Solid(red)), blueFile = Bmp(20, 20, Solid(blue));
  std::vector<std::uint8_t> callers(redFile.data(), redFile.data() + redFile.size());
  Unit["图片框"].SetPicture({callers.data(), callers.size()});
  std::copy(blueFile.data(), blueFile.data() + blueFile.size(), callers.begin());  // same size
  ::RedrawWindow(Child("图片框"), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(Capture(top).at(o.x + 5, o.y + 5), red);
  callers = {};
  ::RedrawWindow(Child("图片框"), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(Capture(top).at(o.x + 5, o.y + 5), red);
}

// Only bytes that cannot change for the whole run, read-only data of the exe itself, are referred to.
const std::uint8_t kReadOnlyBytes[] = {'B', 'M', 1, 2, 3, 4, 5, 6};
std::uint8_t writableBytes[] = {'B', 'M', 1, 2, 3, 4, 5, 6};

TEST(KeptPicture, RefersOnlyToTheExesReadOnlyBytes) {
  const Bytes readOnly{kReadOnlyBytes, sizeof kReadOnlyBytes};
  EXPECT_EQ(KeptPicture(readOnly).data(), kReadOnlyBytes);
  const Bytes writable{writableBytes, sizeof writableBytes};
  const Picture kept = KeptPicture(writable);
  EXPECT_NE(kept.data(), writableBytes);
  ASSERT_EQ(kept.size(), sizeof writableBytes);
  EXPECT_TRUE(std::equal(kept.data(), kept.data() + kept.size(), writableBytes));
  const std::vector<std::uint8_t> heap(kReadOnlyBytes, kReadOnlyBytes + sizeof kReadOnlyBytes);
  EXPECT_NE(KeptPicture({heap.data(), heap.size()}).data(), heap.data());
  EXPECT_TRUE(KeptPicture({}).empty());
}

// --- PicBtn ---------------------------------------------------------------------------------

constexpr COLORREF kNormal = RGB(128, 128, 128), kHover = RGB(176, 176, 176), kPressed = RGB(80, 80, 80);

// A 79 x 23 switch with pure-white corners and a white 3 x 3 "letter" at (40..42, 10..12).
bool SwitchHole(int x, int y) {
  const bool corner = (x == 0 || x == 78) && (y == 0 || y == 22);
  const bool letter = x >= 40 && x <= 42 && y >= 10 && y <= 12;
  return corner || letter;
}
Picture Switch(COLORREF body) {
  return Bmp(79, 23, [body](int x, int y) { return SwitchHole(x, y) ? kWhite : body; });
}

ControlDef SwitchButton(bool hoverAndPressed) {
  ControlDef b = Make(ControlKind::PicBtn, "图形按钮", 30, 30, 80, 24);
  b.transparentColour = kWhite;
  b.normalPicture = Switch(kNormal);
  if (hoverAndPressed) {
    b.hoverPicture = Switch(kHover);
    b.pressedPicture = Switch(kPressed);
  }
  return b;
}

// What reaches the host window itself.
WNDPROC g_hostProc = nullptr;
int g_hostPresses = 0;
LRESULT CALLBACK HostSpy(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_LBUTTONDOWN) ++g_hostPresses;
  return ::CallWindowProcW(g_hostProc, h, msg, wp, lp);
}

TEST_F(Drawn, PicBtnOutlineLeavesOutTransparentPixelsAndTheStripsBeyondThePicture) {
  HWND top = Load({SwitchButton(true)});
  HWND btn = Child("图形按钮");
  ASSERT_TRUE(btn);
  HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(::GetWindowRgn(btn, rgn), ERROR);
  const POINT o = OriginIn(top, btn);
  const Shot shot = Capture(top);
  struct Probe {
    int x, y;
    bool part;
  } probes[] = {
      {0, 0, false},  {78, 0, false}, {0, 22, false}, {78, 22, false},  // white corners
      {41, 11, false}, {40, 10, false},                                  // white letter
      {79, 0, false}, {79, 12, false}, {40, 23, false}, {79, 23, false}, // beyond the picture
      {1, 0, true},   {0, 1, true},   {77, 22, true}, {39, 11, true},  {43, 11, true}, {20, 12, true},
  };
  for (const Probe& p : probes) {
    SCOPED_TRACE(testing::Message() << "(" << p.x << "," << p.y << ")");
    EXPECT_EQ(::PtInRegion(rgn, p.x, p.y) != FALSE, p.part);
    const POINT s = ScreenPoint(btn, p.x, p.y);
    EXPECT_EQ(::WindowFromPoint(s), p.part ? btn : top);
    // Cut-out pixels show the window beneath, not the button's black fill.
    EXPECT_EQ(shot.at(o.x + p.x, o.y + p.y), p.part ? kNormal : kWhite);
  }
  ::DeleteObject(rgn);
}

TEST_F(Drawn, PicBtnOutlineJoinsEveryBatchOfRuns) {
  // Every other column white: 100 runs a row, 3000 in all, more than one batch of rectangles.
  ControlDef b = Make(ControlKind::PicBtn, "图形按钮", 10, 10, 200, 30);
  b.transparentColour = kWhite;
  b.normalPicture = Bmp(200, 30, [](int x, int) { return x % 2 ? kWhite : kNormal; });
  HWND top = Load({b});
  HWND btn = Child("图形按钮");
  HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(::GetWindowRgn(btn, rgn), ERROR);
  int wrong = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 200; ++x) wrong += (::PtInRegion(rgn, x, y) != FALSE) != (x % 2 == 0);
  EXPECT_EQ(wrong, 0);
  ::DeleteObject(rgn);
  (void)top;
}

TEST_F(Drawn, PicBtnClicksOnlyForPressAndReleaseOnItsOwnPixels) {
  HWND top = Load({SwitchButton(true)});
  HWND btn = Child("图形按钮");
  g_hostPresses = 0;
  g_hostProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(top, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostSpy)));
  struct Case {
    const char* name;
    int downX, downY, upX, upY;  // button client coordinates
    int clicks, hostPresses;
  } cases[] = {
      {"inside", 20, 12, 20, 12, 1, 0},
      {"pressed inside, released outside", 20, 12, 150, 60, 0, 0},
      {"on a white corner: the window's", 0, 0, 0, 0, 0, 1},
      {"on a white letter pixel: the window's", 41, 11, 41, 11, 0, 1},
      {"in the strip right of the picture", 79, 10, 79, 10, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    g_clicks = 0;
    g_hostPresses = 0;
    const POINT down = ScreenPoint(btn, c.downX, c.downY), up = ScreenPoint(btn, c.upX, c.upY);
    MoveMouse(down);
    Mouse(down, MOUSEEVENTF_LEFTDOWN);
    MoveMouse(up);
    Mouse(up, MOUSEEVENTF_LEFTUP);
    if (c.clicks) vt::WaitFor([&] { return g_clicks >= c.clicks; }, 2000);
    if (c.hostPresses) vt::WaitFor([&] { return g_hostPresses >= c.hostPresses; }, 2000);
    // Away from the button it goes back to normal and lets the mouse go.
    MoveMouse(ScreenPoint(btn, 200, 100));
    const POINT o = OriginIn(top, btn);
    EXPECT_TRUE(vt::WaitFor([&] { return Capture(top).at(o.x + 20, o.y + 12) == kNormal; }, 2000));
    EXPECT_NE(::GetCapture(), btn);
    EXPECT_EQ(g_clicks, c.clicks);
    EXPECT_EQ(g_hostPresses, c.hostPresses);
  }
  ::SetWindowLongPtrW(top, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_hostProc));
}

TEST_F(Drawn, PicBtnPressedWithoutAMoveAndReleasedOutsideGoesBackToNormal) {
  HWND top = Load({SwitchButton(true)});
  HWND btn = Child("图形按钮");
  const POINT o = OriginIn(top, btn);
  // Posted straight to the button, so no mouse movement comes between press and release.
  ::PostMessageW(btn, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 12));
  vt::Pump(30);
  EXPECT_EQ(::GetCapture(), btn);
  EXPECT_EQ(Capture(top).at(o.x + 20, o.y + 12), kPressed);
  ::PostMessageW(btn, WM_LBUTTONUP, 0, MAKELPARAM(120, 50));
  vt::Pump(30);
  EXPECT_EQ(g_clicks, 0);
  EXPECT_NE(::GetCapture(), btn);
  EXPECT_EQ(Capture(top).at(o.x + 20, o.y + 12), kNormal);
}

TEST_F(Drawn, PicBtnShowsThePictureOfItsStateAndFallsBackToNormal) {
  struct Case {
    const char* name;
    bool hoverAndPressed;
    COLORREF hover, pressed;
  } cases[] = {
      {"all pictures", true, kHover, kPressed},
      {"normal picture only", false, kNormal, kNormal},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    g_clicks = 0;
    // The pointer starts far away: where an earlier case left it, it could hover the button.
    MoveMouse({vt::ScreenWidth() - 1, vt::ScreenHeight() - 1});
    HWND top = Load({SwitchButton(c.hoverAndPressed)});
    HWND btn = Child("图形按钮");
    const POINT o = OriginIn(top, btn);
    const POINT in = ScreenPoint(btn, 20, 12);
    auto shows = [&](COLORREF want) {
      return vt::WaitFor([&] { return Capture(top).at(o.x + 20, o.y + 12) == want; }, 2000);
    };
    EXPECT_TRUE(shows(kNormal));
    MoveMouse(in);
    EXPECT_TRUE(shows(c.hover));
    Mouse(in, MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(shows(c.pressed));
    Mouse(in, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(vt::WaitFor([] { return g_clicks == 1; }, 2000));
    MoveMouse({in.x + 1, in.y});
    EXPECT_TRUE(shows(c.hover));
    // The outline follows each picture; all of these share theirs.
    HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(btn, rgn), ERROR);
    EXPECT_FALSE(::PtInRegion(rgn, 0, 0));
    ::DeleteObject(rgn);
    MoveMouse(ScreenPoint(btn, 200, 100));
    EXPECT_TRUE(shows(kNormal));
    Unload();
  }
}

TEST_F(Drawn, PicBtnWithoutPicturesOrTransparentColourKeepsItsWholeRectangle) {
  struct Case {
    const char* name;
    bool picture;
    Colour transparent;
    COLORREF corner;  // what (0, 0) shows
  } cases[] = {
      {"no picture at all: black", false, kWhite, RGB(0, 0, 0)},
      {"no transparent colour: white corners drawn", true, kDefaultColour, kWhite},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ControlDef b = SwitchButton(false);
    b.transparentColour = c.transparent;
    if (!c.picture) b.normalPicture = Picture();
    g_host.backColour = RGB(0, 200, 0);
    HWND top = Load({b});
    HWND btn = Child("图形按钮");
    HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(::GetWindowRgn(btn, rgn), ERROR);  // no window region
    ::DeleteObject(rgn);
    const POINT o = OriginIn(top, btn);
    const Shot shot = Capture(top);
    EXPECT_EQ(shot.at(o.x, o.y), c.corner);
    EXPECT_EQ(shot.at(o.x + 79, o.y + 23), RGB(0, 0, 0));  // beyond the picture: the black fill
    const POINT corner = ScreenPoint(btn, 0, 0);
    EXPECT_EQ(::WindowFromPoint(corner), btn);
    Unload();
  }
}

// --- TransLabel -----------------------------------------------------------------------------

TEST_F(Drawn, TransLabelShowsWhatLiesBeneathAndLeavesNoTraceOfALongerCaption) {
  constexpr COLORREF kWindow = RGB(255, 224, 192), kSibling = RGB(64, 128, 255);
  struct Case {
    const char* name;
    bool overSibling;  // an opaque label lies beneath the text
    COLORREF beneath;
  } cases[] = {
      {"over the window's background", false, kWindow},
      {"over another control", true, kSibling},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    g_host.backColour = kWindow;
    ControlDef text = Make(ControlKind::TransLabel, "透明标签", 20, 20, 240, 30);
    text.caption = "透明标签1透明标签1";
    text.vAlign = 1;
    std::vector<ControlDef> controls{text};
    if (c.overSibling) {
      ControlDef under = Make(ControlKind::Label, "标签", 10, 10, 300, 50);
      under.backColour = kSibling;
      controls.push_back(under);  // after the text: beneath it
    }
    HWND top = Load(controls);
    HWND label = Child("透明标签");
    const POINT o = OriginIn(top, label);

    // Label columns 30 and on hold only the old caption's text; the new one is a single digit.
    auto countOther = [&](const Shot& s, int fromX, int toX) {
      int n = 0;
      for (int y = 0; y < 30; ++y)
        for (int x = fromX; x < toX; ++x) n += s.at(o.x + x, o.y + y) != c.beneath;
      return n;
    };
    const Shot before = Capture(top);
    ASSERT_GT(countOther(before, 30, 240), 50) << "the long caption shows";
    // No background of its own: rows above and below the text show what lies beneath.
    for (int x = 0; x < 240; ++x) {
      EXPECT_EQ(before.at(o.x + x, o.y + 1), c.beneath) << x;
      EXPECT_EQ(before.at(o.x + x, o.y + 28), c.beneath) << x;
    }

    Unit["透明标签"].SetCaption("1");
    const Shot after = Capture(top);  // no message pumped: the write has already redrawn
    EXPECT_EQ(countOther(after, 30, 240), 0);
    EXPECT_GT(countOther(after, 0, 30), 0) << "the new caption shows";
    wchar_t native[32] = {};
    ::GetWindowTextW(label, native, 32);
    EXPECT_STREQ(native, L"1");

    // A full repaint of the window keeps the text above what lies beneath it.
    ::InvalidateRect(top, nullptr, TRUE);
    vt::Pump(100);
    const Shot repainted = Capture(top);
    EXPECT_GT(countOther(repainted, 0, 30), 0);
    EXPECT_EQ(countOther(repainted, 30, 240), 0);
    Unload();
  }
}

// --- Button pictures ------------------------------------------------------------------------

TEST_F(Drawn, ButtonShowsAPictureInsteadOfItsCaption) {
  const Picture picture = Bmp(16, 16, Solid(RGB(200, 0, 0)));
  ControlDef plain = Make(ControlKind::Button, "按钮甲", 10, 10, 80, 24);
  plain.caption = "关闭";
  ControlDef pictured = Make(ControlKind::Button, "按钮乙", 10, 50, 80, 24);
  pictured.picture = picture;
  HWND top = Load({plain, pictured});
  (void)top;
  HWND a = Child("按钮甲"), b = Child("按钮乙");
  EXPECT_FALSE(vt::Style(a) & BS_BITMAP);
  EXPECT_EQ(::SendMessageW(a, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  EXPECT_TRUE(vt::Style(b) & BS_BITMAP);
  EXPECT_NE(::SendMessageW(b, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);

  // Written later, the picture takes the caption's place; removed, the caption comes back.
  Unit["按钮甲"].SetPicture({picture.data(), picture.size()});
  EXPECT_TRUE(vt::Style(a) & BS_BITMAP);
  EXPECT_NE(::SendMessageW(a, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  Unit["按钮甲"].SetPicture({});
  EXPECT_FALSE(vt::Style(a) & BS_BITMAP);
  EXPECT_EQ(::SendMessageW(a, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
}

}  // namespace
}  // namespace vl
