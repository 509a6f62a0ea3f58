#include "toolkit/region_runs.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vl {
namespace {

constexpr std::uint32_t kWhiteRef = 0x00FFFFFFu;  // COLORREF
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;     // pixel
constexpr std::uint32_t kBlack = 0xFF000000u;

Image Filled(int width, int height, std::uint32_t pixel) {
  Image img;
  img.width = width;
  img.height = height;
  img.pixels.assign(static_cast<std::size_t>(width) * height, pixel);
  return img;
}

// The button picture case: white corners on a 79x23 face, white as the transparent colour.
TEST(RegionRuns, CornersCutFromButtonFace) {
  const int w = 79, h = 23;
  Image img = Filled(w, h, kBlack);
  for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
    img.pixels[static_cast<std::size_t>(y) * w + x] = kWhite;

  const std::vector<RunRect> runs = BuildRegionRuns(img, kWhiteRef);

  std::vector<RunRect> expected;
  expected.push_back({1, 0, w - 1, 1});
  for (int y = 1; y < h - 1; ++y) expected.push_back({0, y, w, y + 1});
  expected.push_back({1, h - 1, w - 1, h});
  EXPECT_EQ(runs, expected);

  // Independently of the exact list: every run is one row, inside the picture, and the runs cover
  // each opaque pixel exactly once and no corner.
  std::vector<int> covered(static_cast<std::size_t>(w) * h, 0);
  for (const RunRect& r : runs) {
    EXPECT_EQ(r.bottom, r.top + 1);
    EXPECT_GE(r.left, 0);
    EXPECT_LT(r.left, r.right);
    EXPECT_LE(r.right, w);
    EXPECT_GE(r.top, 0);
    EXPECT_LT(r.top, h);
    if (r.top < 0 || r.top >= h || r.left < 0 || r.right > w) continue;
    for (int x = r.left; x < r.right; ++x) ++covered[static_cast<std::size_t>(r.top) * w + x];
  }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool corner = (x == 0 || x == w - 1) && (y == 0 || y == h - 1);
      EXPECT_EQ(covered[static_cast<std::size_t>(y) * w + x], corner ? 0 : 1) << x << "," << y;
    }
}

// One row per case: '.' is the transparent colour, '#' anything else.
TEST(RegionRuns, RowPatterns) {
  struct Case {
    std::string row;
    std::vector<std::pair<int, int>> runs;  // [left, right)
  };
  const Case cases[] = {
      {"......", {}},
      {"######", {{0, 6}}},
      {"#", {{0, 1}}},
      {".", {}},
      {"#.....", {{0, 1}}},
      {".....#", {{5, 6}}},
      {"#.#.#.", {{0, 1}, {2, 3}, {4, 5}}},
      {"..##..###", {{2, 4}, {6, 9}}},
      {"##....##", {{0, 2}, {6, 8}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    Image img = Filled(static_cast<int>(c.row.size()), 1, kWhite);
    for (std::size_t x = 0; x < c.row.size(); ++x)
      if (c.row[x] == '#') img.pixels[x] = 0xFF336699u;
    std::vector<RunRect> expected;
    for (auto [l, r] : c.runs) expected.push_back({l, 0, r, 1});
    EXPECT_EQ(BuildRegionRuns(img, kWhiteRef), expected);
  }
}

TEST(RegionRuns, RowsInOrderAndTransparentRowSkipped) {
  const int w = 4;
  Image img = Filled(w, 4, kWhite);
  img.pixels[0 * w + 3] = kBlack;  // row 0: x = 3
  // row 1 stays all transparent
  img.pixels[2 * w + 0] = kBlack;  // row 2: x = 0..1
  img.pixels[2 * w + 1] = kBlack;
  img.pixels[3 * w + 2] = kBlack;  // row 3: x = 2
  const std::vector<RunRect> expected = {{3, 0, 4, 1}, {0, 2, 2, 3}, {2, 3, 3, 4}};
  EXPECT_EQ(BuildRegionRuns(img, kWhiteRef), expected);
}

TEST(RegionRuns, MatchIsExactOnRgbInColorrefOrder) {
  struct Case {
    const char* name;
    std::uint32_t pixel;        // 0xAARRGGBB
    std::uint32_t transparent;  // 0x00BBGGRR
    bool cut;
  };
  const Case cases[] = {
      {"same white", 0xFFFFFFFFu, 0x00FFFFFFu, true},
      {"alpha ignored", 0x00FFFFFFu, 0x00FFFFFFu, true},
      {"alpha ignored, half", 0x80123456u, 0x00563412u, true},
      {"red one lower", 0xFFFEFFFFu, 0x00FFFFFFu, false},
      {"green one lower", 0xFFFFFEFFu, 0x00FFFFFFu, false},
      {"blue one lower", 0xFFFFFFFEu, 0x00FFFFFFu, false},
      {"red pixel, red COLORREF", 0xFFFF0000u, 0x000000FFu, true},
      {"red pixel, blue COLORREF", 0xFFFF0000u, 0x00FF0000u, false},
      {"blue pixel, blue COLORREF", 0xFF0000FFu, 0x00FF0000u, true},
      {"blue pixel, red COLORREF", 0xFF0000FFu, 0x000000FFu, false},
      {"mixed, byte-swapped", 0xFF123456u, 0x00563412u, true},
      {"mixed, same digits unswapped", 0xFF123456u, 0x00123456u, false},
      {"black on black", 0xFF000000u, 0x00000000u, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The pixel between two pixels that are never transparent here, so a cut splits the run.
    const std::uint32_t other = (c.pixel & 0x00FFFFFFu) == 0x00A0B0C0u ? 0xFF010203u : 0xFFA0B0C0u;
    Image img = Filled(3, 1, other);
    img.pixels[1] = c.pixel;
    ASSERT_NE(c.transparent, 0x00C0B0A0u);
    const std::vector<RunRect> expected =
        c.cut ? std::vector<RunRect>{{0, 0, 1, 1}, {2, 0, 3, 1}} : std::vector<RunRect>{{0, 0, 3, 1}};
    EXPECT_EQ(BuildRegionRuns(img, c.transparent), expected);
  }
}

TEST(RegionRuns, EmptyOrInconsistentImageGivesNothing) {
  EXPECT_TRUE(BuildRegionRuns(Image{}, kWhiteRef).empty());
  Image noRows = Filled(3, 0, kBlack);
  EXPECT_TRUE(BuildRegionRuns(noRows, kWhiteRef).empty());
  Image shortPixels = Filled(4, 4, kBlack);
  shortPixels.pixels.resize(10);
  EXPECT_TRUE(BuildRegionRuns(shortPixels, kWhiteRef).empty());
}

TEST(RegionRuns, FullyTransparentPictureGivesNothing) {
  EXPECT_TRUE(BuildRegionRuns(Filled(17, 5, 0x00FFFFFFu), kWhiteRef).empty());
}

}  // namespace
}  // namespace vl
