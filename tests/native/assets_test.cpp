// The built-in pictures, read byte by byte: the controls size and cut themselves from these
// files, so their headers, sizes and the pixels that decide a button's outline are checked here
// without going through the picture decoder.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "assets/images.h"

namespace {

using vl::Bytes;

std::uint32_t Le(const Bytes& b, std::size_t offset, int len) {
  EXPECT_LE(offset + len, b.size) << "read past the end";
  if (offset + len > b.size) return 0;
  std::uint32_t v = 0;
  for (int i = len - 1; i >= 0; --i) v = (v << 8) | b.data[offset + i];
  return v;
}
std::uint32_t Le16(const Bytes& b, std::size_t offset) { return Le(b, offset, 2); }
std::uint32_t Le32(const Bytes& b, std::size_t offset) { return Le(b, offset, 4); }
std::int32_t LeS32(const Bytes& b, std::size_t offset) { return static_cast<std::int32_t>(Le32(b, offset)); }

struct Rgb {
  std::uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
  bool white() const { return r == 255 && g == 255 && b == 255; }
};

// A 24-bit bottom-up BMP whose header the table test has already checked.
class Bmp {
 public:
  explicit Bmp(Bytes b) : b_(b), w_(LeS32(b, 18)), h_(LeS32(b, 22)) {}
  int width() const { return w_; }
  int height() const { return h_; }
  std::size_t stride() const { return (static_cast<std::size_t>(w_) * 3 + 3) & ~std::size_t{3}; }
  // x from the left, y from the top.
  Rgb at(int x, int y) const {
    const std::size_t o = 54 + static_cast<std::size_t>(h_ - 1 - y) * stride() + static_cast<std::size_t>(x) * 3;
    if (o + 3 > b_.size) {
      ADD_FAILURE() << "pixel " << x << "," << y << " outside the file";
      return {};
    }
    return {b_.data[o + 2], b_.data[o + 1], b_.data[o]};
  }
  std::set<std::pair<int, int>> WhitePixels() const {
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x)
        if (at(x, y).white()) out.insert({x, y});
    return out;
  }

 private:
  Bytes b_;
  int w_, h_;
};

struct PictureRow {
  const char* name;
  const Bytes* bytes;
  int width, height;
  std::size_t size;
};

const PictureRow kPictures[] = {
    {"bannerImage", &vl::bannerImage, 363, 143, 156212},
    {"monitorPlainImage", &vl::monitorPlainImage, 204, 168, 102872},
    {"monitorTintedImage", &vl::monitorTintedImage, 204, 168, 102872},
    {"switchCaptionImage", &vl::switchCaptionImage, 94, 18, 5168},
    {"switchOffNormalImage", &vl::switchOffNormalImage, 79, 23, 5576},
    {"switchOffHoverImage", &vl::switchOffHoverImage, 79, 23, 5576},
    {"switchOffPressedImage", &vl::switchOffPressedImage, 79, 23, 5576},
    {"switchOnNormalImage", &vl::switchOnNormalImage, 79, 23, 5576},
    {"switchOnHoverImage", &vl::switchOnHoverImage, 79, 23, 5576},
    {"switchOnPressedImage", &vl::switchOnPressedImage, 79, 23, 5576},
    {"aboutBannerImage", &vl::aboutBannerImage, 345, 100, 103654},
};

TEST(AssetsPictures, HeadersMatchTheTable) {
  for (const PictureRow& row : kPictures) {
    SCOPED_TRACE(row.name);
    const Bytes& b = *row.bytes;
    ASSERT_FALSE(b.empty());
    ASSERT_EQ(b.size, row.size);
    EXPECT_EQ(b.data[0], 'B');
    EXPECT_EQ(b.data[1], 'M');
    EXPECT_EQ(Le32(b, 2), row.size);  // bfSize
    EXPECT_EQ(Le32(b, 10), 54u);      // bfOffBits
    EXPECT_EQ(Le32(b, 14), 40u);      // biSize
    EXPECT_EQ(LeS32(b, 18), row.width);
    EXPECT_EQ(LeS32(b, 22), row.height);  // positive: bottom-up
    EXPECT_EQ(Le16(b, 26), 1u);           // planes
    EXPECT_EQ(Le16(b, 28), 24u);          // bits per pixel
    EXPECT_EQ(Le32(b, 30), 0u);           // BI_RGB
    EXPECT_EQ(Le32(b, 46), 0u);           // no palette

    const std::size_t rows = Bmp(b).stride() * static_cast<std::size_t>(row.height);
    EXPECT_EQ(Le32(b, 34), rows);  // biSizeImage: the padded rows, not the trailer
    ASSERT_GE(b.size, 54 + rows);
    const std::size_t trailer = b.size - 54 - rows;
    EXPECT_TRUE(trailer == 0 || trailer == 2) << trailer << " bytes after the rows";
    for (std::size_t i = 54 + rows; i < b.size; ++i) EXPECT_EQ(b.data[i], 0) << "trailer byte " << i;
  }
}

// The screen of the monitor pictures; the tinted one differs from the plain one only in there.
constexpr int kScreenLeft = 20, kScreenTop = 13, kScreenRight = 186, kScreenBottom = 100;

TEST(AssetsMonitor, TintChangesTheScreenAndNothingElse) {
  const Bmp plain(vl::monitorPlainImage), tinted(vl::monitorTintedImage);
  ASSERT_EQ(plain.width(), tinted.width());
  ASSERT_EQ(plain.height(), tinted.height());
  int outsideDiffs = 0, insideSame = 0;
  for (int y = 0; y < plain.height(); ++y) {
    for (int x = 0; x < plain.width(); ++x) {
      const bool inside = x >= kScreenLeft && x <= kScreenRight && y >= kScreenTop && y <= kScreenBottom;
      const bool same = plain.at(x, y) == tinted.at(x, y);
      if (!inside && !same) ++outsideDiffs;
      if (inside && same) ++insideSame;
    }
  }
  EXPECT_EQ(outsideDiffs, 0);
  // A translucent layer leaves no screen pixel as it was.
  EXPECT_EQ(insideSame, 0);
  // And it is green: white on the plain screen comes out with less red and blue than green.
  int whiteSeen = 0;
  for (int y = kScreenTop; y <= kScreenBottom; ++y) {
    for (int x = kScreenLeft; x <= kScreenRight; ++x) {
      if (!plain.at(x, y).white()) continue;
      ++whiteSeen;
      const Rgb t = tinted.at(x, y);
      EXPECT_EQ(t.g, 255);
      EXPECT_LT(t.r, 255);
      EXPECT_LT(t.b, 255);
    }
  }
  EXPECT_GT(whiteSeen, 0);
}

const Bytes* const kOffSwitches[] = {&vl::switchOffNormalImage, &vl::switchOffHoverImage,
                                     &vl::switchOffPressedImage};
const Bytes* const kOnSwitches[] = {&vl::switchOnNormalImage, &vl::switchOnHoverImage,
                                    &vl::switchOnPressedImage};

std::vector<std::pair<int, int>> Corners(const Bmp& b) {
  return {{0, 0}, {b.width() - 1, 0}, {0, b.height() - 1}, {b.width() - 1, b.height() - 1}};
}

TEST(AssetsSwitch, OffSwitchesAreCutOnlyAroundTheirRoundedEnds) {
  for (const Bytes* bytes : kOffSwitches) {
    const Bmp b(*bytes);
    for (auto [x, y] : Corners(b)) EXPECT_TRUE(b.at(x, y).white()) << x << "," << y;
    // The ends are half a height wide; between them the pill is solid, so nothing is cut.
    const int end = b.height() / 2 + 1;
    for (auto [x, y] : b.WhitePixels()) EXPECT_TRUE(x < end || x >= b.width() - end) << x << "," << y;
    for (int x = 0; x < b.width(); ++x) EXPECT_FALSE(b.at(x, b.height() / 2).white()) << "middle row, x " << x;
  }
}

TEST(AssetsSwitch, OnSwitchesShareTheirPureWhitePixels) {
  const Bmp first(*kOnSwitches[0]);
  const auto white = first.WhitePixels();
  EXPECT_EQ(white.size(), 131u);
  for (auto corner : Corners(first)) EXPECT_TRUE(white.count(corner)) << corner.first << "," << corner.second;
  for (const Bytes* bytes : kOnSwitches) EXPECT_EQ(Bmp(*bytes).WhitePixels(), white);
  // The states are drawn differently, only those pixels agree.
  EXPECT_NE(Bmp(*kOnSwitches[1]).at(40, 1), first.at(40, 1));
  EXPECT_NE(Bmp(*kOnSwitches[2]).at(40, 1), first.at(40, 1));
}

struct IconRow {
  int side, colourCount, bitCount;
  std::uint32_t bytes;
};

const IconRow kIcon[] = {
    {48, 8, 4, 1640}, {32, 8, 4, 744},  {16, 8, 4, 296},  {48, 0, 8, 3752}, {32, 0, 8, 2216},
    {16, 0, 8, 1384}, {48, 0, 32, 9640}, {32, 0, 32, 4264}, {16, 0, 32, 1128},
};

std::size_t Stride(int width, int bits) { return ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4; }

TEST(AssetsIcon, DirectoryMatchesTheTable) {
  const Bytes& b = vl::trayIconImage;
  ASSERT_EQ(b.size, 25214u);
  EXPECT_EQ(Le16(b, 0), 0u);
  EXPECT_EQ(Le16(b, 2), 1u);
  ASSERT_EQ(Le16(b, 4), std::size(kIcon));
  std::uint32_t expectedOffset = 6 + 16 * std::size(kIcon);
  for (std::size_t i = 0; i < std::size(kIcon); ++i) {
    SCOPED_TRACE("entry " + std::to_string(i + 1));
    const IconRow& row = kIcon[i];
    const std::size_t e = 6 + 16 * i;
    EXPECT_EQ(b.data[e + 0], row.side);
    EXPECT_EQ(b.data[e + 1], row.side);
    EXPECT_EQ(b.data[e + 2], row.colourCount);
    EXPECT_EQ(b.data[e + 3], 0);
    EXPECT_EQ(Le16(b, e + 4), 0u);  // planes
    EXPECT_EQ(Le16(b, e + 6), 0u);  // bit count
    EXPECT_EQ(Le32(b, e + 8), row.bytes);
    EXPECT_EQ(Le32(b, e + 12), expectedOffset);
    expectedOffset += row.bytes;
  }
  EXPECT_EQ(expectedOffset, b.size);
}

TEST(AssetsIcon, ImagesAreLaidOutAsTheirHeadersSay) {
  const Bytes& b = vl::trayIconImage;
  ASSERT_EQ(b.size, 25214u);
  std::size_t offset = 6 + 16 * std::size(kIcon);
  for (const IconRow& row : kIcon) {
    SCOPED_TRACE(std::to_string(row.side) + "px " + std::to_string(row.bitCount) + "-bit");
    ASSERT_LE(offset + row.bytes, b.size);
    const Bytes image{b.data + offset, row.bytes};
    EXPECT_EQ(Le32(image, 0), 40u);
    EXPECT_EQ(LeS32(image, 4), row.side);
    EXPECT_EQ(LeS32(image, 8), 2 * row.side);  // XOR and AND halves
    EXPECT_EQ(Le16(image, 12), 1u);
    EXPECT_EQ(Le16(image, 14), static_cast<std::uint32_t>(row.bitCount));
    EXPECT_EQ(Le32(image, 16), 0u);
    const std::size_t palette = row.bitCount <= 8 ? (std::size_t{4} << row.bitCount) : 0;
    const std::size_t xorBytes = Stride(row.side, row.bitCount) * row.side;
    const std::size_t andBytes = Stride(row.side, 1) * row.side;
    EXPECT_EQ(40 + palette + xorBytes + andBytes, row.bytes);
    const std::uint32_t sizeImage = Le32(image, 20);
    EXPECT_TRUE(sizeImage == 0 || sizeImage == xorBytes + andBytes) << sizeImage;

    // Something is drawn and something shows through.
    std::size_t transparent = 0;
    const std::size_t maskAt = 40 + palette + xorBytes;
    for (int y = 0; y < row.side; ++y) {
      for (int x = 0; x < row.side; ++x) {
        const bool cut = image.data[maskAt + y * Stride(row.side, 1) + x / 8] & (0x80 >> (x % 8));
        transparent += cut;
        if (row.bitCount == 32) {
          // The alpha and the mask tell the same story.
          const std::uint8_t alpha = image.data[40 + y * Stride(row.side, 32) + x * 4 + 3];
          EXPECT_EQ(cut, alpha == 0) << x << "," << y;
        }
      }
    }
    EXPECT_GT(transparent, 0u);
    EXPECT_LT(transparent, static_cast<std::size_t>(row.side * row.side));
    offset += row.bytes;
  }
}

}  // namespace
