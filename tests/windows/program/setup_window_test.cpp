// The setup window as the user first sees it: frame, controls, pictures.
#include <gtest/gtest.h>

#include "assets/images.h"
#include "program/running_program.h"
#include "toolkit/picture.h"

namespace vt {
namespace {

using namespace setup_ids;

// Screen pixels of a client-area rectangle of a window (the window must be on top and shown).
struct ScreenPixels {
  ScreenPixels(HWND window, RECT clientRect) {
    POINT origin{clientRect.left, clientRect.top};
    ::ClientToScreen(window, &origin);
    width = clientRect.right - clientRect.left;
    height = clientRect.bottom - clientRect.top;
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(mem, dib);
    ::BitBlt(mem, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    ::GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    pixels.assign(p, p + static_cast<std::size_t>(width) * height);
    ::SelectObject(mem, old);
    ::DeleteObject(dib);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
  }
  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x] & 0xFFFFFF; }
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
};

RECT ClientRectOf(HWND window, int id) {
  HWND c = ::GetDlgItem(window, id);
  RECT rc = WindowRect(c);
  ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

TEST(SetupWindow, FrameAsDefined) {
  RunningProgram p;
  ASSERT_TRUE(p);
  HWND h = p.setup();
  EXPECT_EQ(TextOf(h), L"Veilora0.1-Quillmart特别版");
  const RECT rc = WindowRect(h);
  EXPECT_EQ(rc.left, (ScreenWidth() - 364) / 2);
  EXPECT_EQ(rc.top, (ScreenHeight() - 483) / 2);
  if (ScreenWidth() == 1024) {
    EXPECT_EQ(rc.left, 330);
    EXPECT_EQ(rc.top, 142);
  }
  if (ScreenWidth() == 800) {
    EXPECT_EQ(rc.left, 218);
    EXPECT_EQ(rc.top, 58);
  }
  EXPECT_TRUE(IsTopMost(h));
  EXPECT_FALSE(Style(h) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
}

TEST(SetupWindow, ControlsInDefinedOrderPlaceAndVisibility) {
  RunningProgram p;
  ASSERT_TRUE(p);
  const struct {
    int id;
    const wchar_t* cls;
    RECT rc;
    bool visible;
  } rows[] = {
      {k按钮3, L"Button", {264, 397, 344, 429}, true},
      {k按钮2, L"Button", {147, 397, 227, 429}, true},
      {k按钮1, L"Button", {32, 397, 112, 429}, true},
      {k图片框3, nullptr, {77, 210, 277, 362}, true},
      {k标签1, nullptr, {68, 184, 213, 208}, true},
      {k图片框2, nullptr, {0, 0, 360, 144}, true},
      {k图片框1, nullptr, {64, 159, 168, 183}, true},
      {k透明标签1, nullptr, {944, 376, 1072, 408}, true},
      {k图形按钮1, nullptr, {194, 158, 274, 182}, true},
      {k标签2, nullptr, {464, 536, 744, 568}, false},
      {k滑块条1, L"msctls_trackbar32", {845, 430, 1187, 462}, true},
      {k颜色选择器1, nullptr, {632, 416, 672, 448}, false},
  };
  const std::vector<HWND> children = Children(p.setup());
  ASSERT_EQ(children.size(), std::size(rows));
  for (std::size_t i = 0; i < children.size(); ++i) {
    SCOPED_TRACE(rows[i].id);
    EXPECT_EQ(::GetDlgCtrlID(children[i]), rows[i].id) << "z-order";
    const RECT rc = ClientRectOf(p.setup(), rows[i].id);
    EXPECT_EQ(rc.left, rows[i].rc.left);
    EXPECT_EQ(rc.top, rows[i].rc.top);
    EXPECT_EQ(rc.right, rows[i].rc.right);
    EXPECT_EQ(rc.bottom, rows[i].rc.bottom);
    // Shown controls read visible even outside the client area.
    EXPECT_EQ(::IsWindowVisible(children[i]) != FALSE, rows[i].visible);
    if (rows[i].cls) {
      EXPECT_EQ(ClassOf(children[i]), rows[i].cls);
    }
  }
  EXPECT_EQ(p.Text(p.setup(), k按钮3), L"关闭");
  EXPECT_EQ(p.Text(p.setup(), k按钮2), L"最小化");
  EXPECT_EQ(p.Text(p.setup(), k按钮1), L"关于");
  EXPECT_EQ(p.Text(p.setup(), k标签1), L"遮罩豆沙绿色可缓解视疲劳");
  // The slider lies outside the client area, yet it is where the definition puts it.
  RECT client;
  ::GetClientRect(p.setup(), &client);
  EXPECT_LT(client.right, 845);
}

TEST(SetupWindow, TabReachesTheSliderOutOfSight) {
  RunningProgram p;
  ASSERT_TRUE(p);
  ::SetForegroundWindow(p.setup());
  Pump(200);
  const DWORD thread = ::GetWindowThreadProcessId(p.setup(), nullptr);
  std::vector<int> focused;
  for (int i = 0; i < 5; ++i) {
    PressKey(VK_TAB);
    GUITHREADINFO gti{sizeof gti};
    ::GetGUIThreadInfo(thread, &gti);
    focused.push_back(gti.hwndFocus ? ::GetDlgCtrlID(gti.hwndFocus) : 0);
  }
  // Four stops in z-order, then round again; the hidden colour picker is skipped.
  const std::vector<int> cycle{k按钮3, k按钮2, k按钮1, k滑块条1};
  ASSERT_EQ(focused.size(), 5u);
  const auto start = std::find(cycle.begin(), cycle.end(), focused[0]);
  ASSERT_NE(start, cycle.end()) << "first Tab focused id " << focused[0];
  for (std::size_t i = 0; i < focused.size(); ++i)
    EXPECT_EQ(focused[i], cycle[(static_cast<std::size_t>(start - cycle.begin()) + i) % cycle.size()]) << i;
}

TEST(SetupWindow, PicturesLaidIntoTheirBoxes) {
  RunningProgram p;
  ASSERT_TRUE(p);
  ::SetForegroundWindow(p.setup());
  ::RedrawWindow(p.setup(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump(300);

  // 图片框1: the caption picture centred at natural size, 5 from the left and 3 from the top.
  const vl::Image caption = vl::DecodePicture(vl::switchCaptionImage);
  ASSERT_EQ(caption.width, 94);
  const ScreenPixels box1(p.setup(), ClientRectOf(p.setup(), k图片框1));
  int mismatches = 0;
  for (int y = 0; y < caption.height; ++y)
    for (int x = 0; x < caption.width; ++x) mismatches += box1.at(x + 5, y + 3) != (caption.at(x, y) & 0xFFFFFF);
  EXPECT_EQ(mismatches, 0);
  for (int y = 0; y < 24; ++y) EXPECT_EQ(box1.at(2, y), 0xFFFFFFu) << "white margin, row " << y;

  // 图片框3: the monitor's top-left 200 x 152 pixels, the rest cut off.
  const vl::Image monitor = vl::DecodePicture(vl::monitorPlainImage);
  const ScreenPixels box3(p.setup(), ClientRectOf(p.setup(), k图片框3));
  mismatches = 0;
  for (int y = 0; y < 152; ++y)
    for (int x = 0; x < 200; ++x) mismatches += box3.at(x, y) != (monitor.at(x, y) & 0xFFFFFF);
  EXPECT_EQ(mismatches, 0);

  // 图片框2: the banner stretched over 360 x 144 (compare coarse blocks; halftone blends).
  const vl::Image banner = vl::DecodePicture(vl::bannerImage);
  const ScreenPixels box2(p.setup(), ClientRectOf(p.setup(), k图片框2));
  auto channelDiff = [](std::uint32_t a, std::uint32_t b) {
    int d = 0;
    for (int s = 0; s < 24; s += 8) d = std::max(d, std::abs(int((a >> s) & 255) - int((b >> s) & 255)));
    return d;
  };
  int offBlocks = 0;
  for (int y = 5; y < 144; y += 12)
    for (int x = 5; x < 360; x += 12) {
      const int sx = x * banner.width / 360, sy = y * banner.height / 144;
      offBlocks += channelDiff(box2.at(x, y), banner.at(sx, sy) & 0xFFFFFF) > 96;
    }
  EXPECT_LT(offBlocks, 20) << "the banner is not stretched over its box";
}

}  // namespace
}  // namespace vt
