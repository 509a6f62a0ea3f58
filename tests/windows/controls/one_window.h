// One window unit for the native-control and skin tests: each test puts its controls into the
// definition, loads it through the toolkit and looks at the result through the real API. The
// handlers only count; messages are pumped through the toolkit's own dispatching.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/windows.h"
#include "toolkit/handles.h"
#include "support/pixels.h"
#include "support/toolkit_loop.h"
#include "toolkit/control_defs.h"
#include "toolkit/program_state.h"
#include "toolkit/toolkit.h"

namespace vt {

struct Seen {
  int clicked = 0;
  std::vector<int> positions;  // the slider's Position, read inside each PositionChanged
};
inline Seen g_seen;
inline vl::WindowDef g_definition;

inline constexpr char kButton[] = "按钮1";
inline constexpr char kSlider[] = "滑块条1";
inline constexpr char kPicker[] = "颜色选择器1";
inline constexpr char kLink[] = "超链接框1";

inline vl::WindowDef CurrentDefinition() { return g_definition; }
inline void CountClick() { ++g_seen.clicked; }
inline void NotePosition();

inline vl::WindowUnit g_unit{
    "ControlsUnit", CurrentDefinition,
    vl::WindowEvents{nullptr, nullptr, nullptr, {{kButton, CountClick, nullptr}, {kSlider, nullptr, NotePosition}}}};

inline void NotePosition() { g_seen.positions.push_back(g_unit[kSlider].GetPosition()); }

// A 400x300 window, centred, with no taskbar button, and the given controls.
inline vl::WindowDef WindowWith(std::vector<vl::ControlDef> controls) {
  vl::WindowDef w;
  w.width = 400;
  w.height = 300;
  w.title = "控件";
  w.placement = 1;
  w.showInTaskbar = false;
  w.backColour = RGB(255, 255, 255);
  w.controls = std::move(controls);
  return w;
}

inline vl::ControlDef Defined(vl::ControlKind kind, const char* name, int left, int top, int width, int height) {
  vl::ControlDef c = vl::def::Control(kind, name, left, top, width, height);
  c.tabStop = true;
  return c;
}

// A key press and release as real input, dispatched through the toolkit (Tab navigation works).
inline void Key(WORD vk) {
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, in, sizeof in[0]);
  RunLoop(60);
}

inline HWND TopOf() { return reinterpret_cast<HWND>(vl::GetWindowHandle(g_unit)); }
inline HWND HandleOf(const char* name) { return reinterpret_cast<HWND>(g_unit[name].Handle()); }

// The toolkit is prepared once per process: a second hidden owner would take the first one's
// windows with it.
inline void EnsureToolkit() {
  static const bool ready = (vl::InitToolkit(), true);
  (void)ready;
}

// Loads the unit with these controls and waits until it shows.
inline HWND Load(std::vector<vl::ControlDef> controls) {
  g_definition = WindowWith(std::move(controls));
  g_seen = {};
  if (!vl::LoadWindow(g_unit, false)) return nullptr;
  HWND top = TopOf();
  ::SetForegroundWindow(top);
  RunUntil([top] { return ::IsWindowVisible(top) != FALSE; });
  ::UpdateWindow(top);
  RunLoop(50);
  return top;
}

inline void Unload() {
  vl::DestroyWindow(g_unit);
  EXPECT_TRUE(RunUntil([] { return !g_unit.IsLoaded(); })) << "the window stayed loaded";
  RunLoop(10);
}

// What a window shows once its pending painting is done.
inline Shot Capture(HWND h) {
  ::UpdateWindow(h);
  return CaptureClient(h);
}

inline POINT ScreenCentre(HWND h) {
  RECT rc;
  ::GetWindowRect(h, &rc);
  return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

// Moves the real mouse into a corner of the screen, away from every test window.
inline void MouseAway() { MouseMoveTo(1, 1); }

class OneWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureToolkit(); }
  void SetUp() override {
    MouseAway();
    handlesBefore_ = vl::LiveHandles();
  }
  void TearDown() override {
    Unload();
    EXPECT_EQ(vl::LiveHandles(), handlesBefore_) << "native handles left behind";
    g_seen = {};
  }
  long handlesBefore_ = 0;
};

}  // namespace vt
