// The switch of the setup window turns that very window into the screen mask.
#include <cmath>
#include <cstdint>

#include "app/globals.h"
#include "panel/panel_window.h"
#include "setup/setup_handlers.h"
#include "setup/setup_window.h"
#include "toolkit/declared_function.h"
#include "toolkit/toolkit.h"

namespace vl::setup {
namespace {

using GetWindowLongFn = std::int32_t(VL_WINAPI*)(std::intptr_t hwnd, std::int32_t index);
using SetWindowLongFn = std::int32_t(VL_WINAPI*)(std::intptr_t hwnd, std::int32_t index, std::int32_t value);
using SetLayeredWindowAttributesFn = std::int32_t(VL_WINAPI*)(std::intptr_t hwnd, std::uint32_t key,
                                                              std::uint8_t alpha, std::uint32_t flags);

DeclaredFunction<GetWindowLongFn> GetWindowLongA("user32.dll", "GetWindowLongA");
DeclaredFunction<SetWindowLongFn> SetWindowLongA("user32.dll", "SetWindowLongA");
DeclaredFunction<SetLayeredWindowAttributesFn> SetLayeredWindowAttributes("user32.dll",
                                                                          "SetLayeredWindowAttributes");

constexpr int kMaskLeft = -10;
constexpr int kMaskTop = -10;
constexpr double kSizeMargin = 300.0;
constexpr std::int32_t kGwlExStyle = -20;
constexpr std::int32_t kFirstStyleMask = 0x20;  // WS_EX_TRANSPARENT
constexpr std::uint32_t kColourKey = 0;
constexpr std::uint32_t kLwaAlpha = 2;

// 10^5 * 8 = 800000 = 0xC3500: besides WS_EX_LAYERED it carries further extended-style bits, and
// the mask has always been made with all of them.
std::int32_t SecondStyleMask() { return static_cast<std::int32_t>(std::pow(10.0, 5.0) * 8.0); }

}  // namespace

void 图形按钮1_Clicked() {
  SetupWindow.SetControlButtons(false);
  for (const char* name : {"颜色选择器1", "滑块条1", "图形按钮1", "透明标签1", "标签2", "图片框1", "图片框2",
                           "图片框3", "按钮3", "按钮2", "按钮1", "标签1"})
    SetupWindow[name].SetVisible(false);
  SetupWindow.SetMovable(false);
  SetupWindow.SetShowInTaskbar(false);
  maskOpacity = SetupWindow["滑块条1"].GetPosition();
  SetupWindow.SetBackColor(SetupWindow["颜色选择器1"].GetColor());
  LoadWindow(MaskPanelWindow, false);
  CoverScreen();
  SetupWindow.SetVisible(true);
}

void CoverScreen() {
  const int w = static_cast<int>(static_cast<double>(GetScreenWidth()) + kSizeMargin);
  const int h = static_cast<int>(static_cast<double>(GetScreenHeight()) + kSizeMargin);
  MoveWindowTo(SetupWindow, kMaskLeft, kMaskTop, w, h);
  std::int32_t ex = GetWindowLongA(GetWindowHandle(SetupWindow), kGwlExStyle);
  ex = ex | kFirstStyleMask | SecondStyleMask();
  SetWindowLongA(GetWindowHandle(SetupWindow), kGwlExStyle, ex);
  SetLayeredWindowAttributes(GetWindowHandle(SetupWindow), kColourKey, static_cast<std::uint8_t>(maskOpacity), kLwaAlpha);
  // The mask stays a top-level window: it is never re-parented, whatever the extended style's
  // value would name as a window.
}

}  // namespace vl::setup
