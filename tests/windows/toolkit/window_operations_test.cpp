// Window units driven in-process, checked through the real API.
#include <gtest/gtest.h>

#include "support/processes.h"
#include "support/windows.h"
#include "toolkit/toolkit.h"

namespace vl {
namespace {

WindowDef Plain() {
  WindowDef w;
  w.width = 300;
  w.height = 200;
  w.title = "测试";
  w.placement = 1;
  w.showInTaskbar = false;
  return w;
}

WindowUnit Unit{"Unit", Plain, {}};

class WindowOps : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitToolkit(); }
  void TearDown() override {
    DestroyWindow(Unit);
    vt::WaitFor([] { return !Unit.IsLoaded(); }, 3000);
  }
  HWND Hwnd() { return reinterpret_cast<HWND>(GetWindowHandle(Unit)); }
};

TEST_F(WindowOps, LoadCentresAndOwnsByHiddenWindow) {
  ASSERT_TRUE(LoadWindow(Unit, false));
  HWND h = Hwnd();
  ASSERT_TRUE(::IsWindow(h));
  const RECT rc = vt::WindowRect(h);
  EXPECT_EQ(rc.left, (vt::ScreenWidth() - 300) / 2);
  EXPECT_EQ(rc.top, (vt::ScreenHeight() - 200) / 2);
  EXPECT_TRUE(::IsWindowVisible(h));
  EXPECT_TRUE(::GetWindow(h, GW_OWNER));
}

TEST_F(WindowOps, NotLoadedUnitIsSafeToAddress) {
  EXPECT_FALSE(Unit.IsLoaded());
  Unit.SetVisible(true);
  Unit.SetPlacement(1);
  Unit.SetAlwaysOnTop(true);
  MoveWindowTo(Unit, 1, 2, 3, 4);
  DestroyWindow(Unit);
  EXPECT_EQ(GetWindowHandle(Unit), 0);
  EXPECT_FALSE(Unit.GetVisible());
  EXPECT_EQ(Unit["nothing"].GetPosition(), 0);
}

}  // namespace
}  // namespace vl
