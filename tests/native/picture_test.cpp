#include "toolkit/picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace vl {
namespace {

using Buffer = std::vector<std::uint8_t>;

Bytes View(const Buffer& b) { return Bytes{b.data(), b.size()}; }

void Append16(Buffer& b, std::uint32_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Append32(Buffer& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Put32(Buffer& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.at(at + i) = static_cast<std::uint8_t>(v >> (8 * i));
}
void Put16(Buffer& b, std::size_t at, std::uint32_t v) {
  b.at(at) = static_cast<std::uint8_t>(v);
  b.at(at + 1) = static_cast<std::uint8_t>(v >> 8);
}

// Field offsets in a BMP file, for breaking one field of a valid file at a time.
constexpr std::size_t kOffBits = 10, kBiSize = 14, kBiWidth = 18, kBiHeight = 22, kBiBitCount = 28,
                      kBiCompression = 30, kBiSizeImage = 34, kBiClrUsed = 46;

// Stored rows of a picture, padded to 4 bytes. `values` is top-down: palette indices for depths up
// to 8, 0xAARRGGBB colours for 24 and 32 bits. Indices are packed leftmost pixel in the high bits.
Buffer EncodeRows(int bpp, int width, int height, const std::vector<std::uint32_t>& values,
                  bool bottomUp) {
  const std::size_t stride = (static_cast<std::size_t>(width) * bpp + 31) / 32 * 4;
  Buffer out;
  for (int stored = 0; stored < height; ++stored) {
    const int y = bottomUp ? height - 1 - stored : stored;
    Buffer row(stride, 0);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t v = values.at(static_cast<std::size_t>(y) * width + x);
      const std::size_t bit = static_cast<std::size_t>(x) * bpp;
      if (bpp < 8) {
        row[bit / 8] |= static_cast<std::uint8_t>(v << (8 - bpp - bit % 8));
      } else {
        for (int i = 0; i < bpp / 8; ++i) row[bit / 8 + i] = static_cast<std::uint8_t>(v >> (8 * i));
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

struct BmpParts {
  std::int32_t width = 0, height = 0;  // height as stored: negative for top-down
  std::uint16_t bpp = 24;
  std::uint32_t compression = 0;
  std::uint32_t headerSize = 40;
  std::vector<std::uint32_t> masks;    // written right after the 40 fixed header bytes
  std::vector<std::uint32_t> palette;  // RGBQUAD values as 0xXXRRGGBB
  std::uint32_t clrUsed = 0;
  Buffer rows;
  Buffer trailing;
};

Buffer WriteBmp(const BmpParts& p) {
  const std::size_t headerBlock = std::max<std::size_t>(p.headerSize, 40 + 4 * p.masks.size());
  const std::size_t offBits = 14 + headerBlock + 4 * p.palette.size();
  Buffer b = {'B', 'M'};
  Append32(b, static_cast<std::uint32_t>(offBits + p.rows.size() + p.trailing.size()));
  Append32(b, 0);
  Append32(b, static_cast<std::uint32_t>(offBits));
  Append32(b, p.headerSize);
  Append32(b, static_cast<std::uint32_t>(p.width));
  Append32(b, static_cast<std::uint32_t>(p.height));
  Append16(b, 1);
  Append16(b, p.bpp);
  Append32(b, p.compression);
  Append32(b, static_cast<std::uint32_t>(p.rows.size()));
  Append32(b, 2835);
  Append32(b, 2835);
  Append32(b, p.clrUsed);
  Append32(b, 0);
  for (std::uint32_t m : p.masks) Append32(b, m);
  b.resize(14 + headerBlock, 0);
  for (std::uint32_t c : p.palette) Append32(b, c);
  b.insert(b.end(), p.rows.begin(), p.rows.end());
  b.insert(b.end(), p.trailing.begin(), p.trailing.end());
  return b;
}

// Distinct, irregular palette colours; the reserved byte is set so that leaking it into alpha shows.
std::vector<std::uint32_t> TestPalette(int count) {
  std::vector<std::uint32_t> pal;
  for (int i = 0; i < count; ++i) {
    pal.push_back(0x5A000000u | (static_cast<std::uint32_t>(i * 37 + 11) & 0xFF) << 16 |
                  (static_cast<std::uint32_t>(i * 91 + 7) & 0xFF) << 8 |
                  (static_cast<std::uint32_t>(255 - i * 13) & 0xFF));
  }
  return pal;
}

// A picture described top-down: what the stored values are, and which pixels a decoder must give.
struct Picture {
  int width = 0, height = 0, bpp = 0;
  std::vector<std::uint32_t> palette;
  std::vector<std::uint32_t> values;    // as stored (indices or colours with their stored 4th byte)
  std::vector<std::uint32_t> expected;  // 0xAARRGGBB with alpha forced opaque
};

Picture MakePicture(int bpp, int width, int height) {
  Picture pic{width, height, bpp, {}, {}, {}};
  if (bpp <= 8) pic.palette = TestPalette(1 << bpp);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (bpp <= 8) {
        const std::uint32_t index = static_cast<std::uint32_t>(x * 3 + y * 5 + x * y) % (1u << bpp);
        pic.values.push_back(index);
        pic.expected.push_back(0xFF000000u | (pic.palette[index] & 0x00FFFFFFu));
      } else {
        const std::uint32_t colour = (static_cast<std::uint32_t>(x * 29 + y) & 0xFF) << 16 |
                                     (static_cast<std::uint32_t>(y * 53 + 1) & 0xFF) << 8 |
                                     (static_cast<std::uint32_t>(x * y * 7 + 3) & 0xFF);
        // The 4th byte of a plain 32-bit BMP is unused; give it junk the decoder must not keep.
        pic.values.push_back(colour | (static_cast<std::uint32_t>(x + y * 17) & 0xFF) << 24);
        pic.expected.push_back(0xFF000000u | colour);
      }
    }
  }
  return pic;
}

BmpParts PartsFor(const Picture& pic, bool topDown) {
  BmpParts p;
  p.width = pic.width;
  p.height = topDown ? -pic.height : pic.height;
  p.bpp = static_cast<std::uint16_t>(pic.bpp);
  p.palette = pic.palette;
  p.rows = EncodeRows(pic.bpp, pic.width, pic.height, pic.values, !topDown);
  return p;
}

void ExpectPixels(const Image& img, int width, int height, const std::vector<std::uint32_t>& expected) {
  ASSERT_FALSE(img.empty());
  ASSERT_EQ(img.width, width);
  ASSERT_EQ(img.height, height);
  ASSERT_EQ(img.pixels.size(), expected.size());
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      EXPECT_EQ(img.at(x, y), expected[static_cast<std::size_t>(y) * width + x]) << "at " << x << "," << y;
}

// ---------------------------------------------------------------------------------------------
// Hand-assembled files: these pin down byte order and bit order independently of the writer above.

TEST(PictureBmp, Literal24BitBottomUpWithPadding) {
  const Buffer file = {
      'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                      // file header
      40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,          // size, w, h, planes, bpp, BI_RGB
      16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,           // sizeImage, ppm, colours
      0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xEE, 0xEE,                        // bottom row: blue, white, pad
      0x00, 0x00, 0xFF, 0x10, 0x80, 0x20, 0xEE, 0xEE,                        // top row: red, green-ish, pad
  };
  ExpectPixels(DecodeBmp(View(file)), 2, 2, {0xFFFF0000u, 0xFF208010u, 0xFF0000FFu, 0xFFFFFFFFu});
}

TEST(PictureBmp, Literal1BitAnd4BitTopDown) {
  // 1 bit, 10 pixels wide (two used bytes, two padding), palette {0x112233, 0x445566}.
  Buffer mono = {'B', 'M', 66, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0,
                 40, 0, 0, 0, 10, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 1, 0, 0, 0, 0, 0,
                 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                 0x33, 0x22, 0x11, 0, 0x66, 0x55, 0x44, 0,
                 0b10110000, 0b01000000, 0, 0};
  const std::uint32_t a = 0xFF112233u, b = 0xFF445566u;
  ExpectPixels(DecodeBmp(View(mono)), 10, 1, {b, a, b, b, a, a, a, a, a, b});

  // 4 bits, 3 pixels wide, 4 palette entries declared by biClrUsed.
  Buffer nibbles = {'B', 'M', 74, 0, 0, 0, 0, 0, 0, 0, 70, 0, 0, 0,
                    40, 0, 0, 0, 3, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 4, 0, 0, 0, 0, 0,
                    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0,
                    0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0,
                    0x12, 0x30, 0, 0};
  ExpectPixels(DecodeBmp(View(nibbles)), 3, 1, {0xFF0000FFu, 0xFF00FF00u, 0xFFFF0000u});
}

// ---------------------------------------------------------------------------------------------

struct DepthCase {
  int bpp, width, height;
  bool topDown;
};

class PictureBmpDepth : public testing::TestWithParam<DepthCase> {};

TEST_P(PictureBmpDepth, DecodesEveryPixel) {
  const DepthCase c = GetParam();
  const Picture pic = MakePicture(c.bpp, c.width, c.height);
  const Buffer file = WriteBmp(PartsFor(pic, c.topDown));
  ExpectPixels(DecodeBmp(View(file)), c.width, c.height, pic.expected);
  ExpectPixels(DecodePicture(View(file)), c.width, c.height, pic.expected);
}

// Widths chosen so that each depth has rows needing 1, 2 and 3 padding bytes, and indexed rows that
// cross byte and 32-bit boundaries.
INSTANTIATE_TEST_SUITE_P(
    Picture, PictureBmpDepth,
    testing::Values(DepthCase{24, 1, 3, false}, DepthCase{24, 2, 3, false}, DepthCase{24, 3, 2, false},
                    DepthCase{24, 4, 2, false}, DepthCase{24, 5, 4, true}, DepthCase{24, 3, 3, true},
                    DepthCase{32, 3, 2, false}, DepthCase{32, 2, 5, true}, DepthCase{8, 1, 2, false},
                    DepthCase{8, 6, 3, true}, DepthCase{8, 17, 4, false}, DepthCase{4, 1, 1, false},
                    DepthCase{4, 7, 3, false}, DepthCase{4, 9, 2, true}, DepthCase{1, 1, 1, false},
                    DepthCase{1, 9, 3, false}, DepthCase{1, 33, 2, true}, DepthCase{1, 70, 3, false}),
    [](const testing::TestParamInfo<DepthCase>& param) {
      const DepthCase& c = param.param;
      return std::to_string(c.bpp) + "bpp_" + std::to_string(c.width) + "x" + std::to_string(c.height) +
             (c.topDown ? "_topdown" : "_bottomup");
    });

TEST(PictureBmp, TrailingBytesAndMissingSizeImageAccepted) {
  struct Case {
    int bpp;
    std::size_t trailing;
    bool zeroSizeImage;
  };
  const Case cases[] = {{24, 2, false}, {24, 1000, false}, {8, 2, true}, {1, 3, true}, {32, 0, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bpp << " bpp, " << c.trailing << " trailing bytes");
    const Picture pic = MakePicture(c.bpp, 5, 3);
    BmpParts parts = PartsFor(pic, false);
    parts.trailing.assign(c.trailing, 0xA5);
    Buffer file = WriteBmp(parts);
    if (c.zeroSizeImage) Put32(file, kBiSizeImage, 0);
    ExpectPixels(DecodeBmp(View(file)), 5, 3, pic.expected);
  }
}

TEST(PictureBmp, LargerHeadersAndStandardBitfields) {
  struct Case {
    const char* name;
    int bpp;
    std::uint32_t headerSize, compression;
    bool masks;
  };
  const Case cases[] = {
      {"V4 header, 8 bit", 8, 108, 0, false},  {"V5 header, 24 bit", 24, 124, 0, false},
      {"V5 header, 4 bit", 4, 124, 0, false},  {"bitfields after a 40-byte header", 32, 40, 3, true},
      {"bitfields inside a V5 header", 32, 124, 3, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Picture pic = MakePicture(c.bpp, 3, 2);
    BmpParts parts = PartsFor(pic, false);
    parts.headerSize = c.headerSize;
    parts.compression = c.compression;
    if (c.masks) parts.masks = {0x00FF0000u, 0x0000FF00u, 0x000000FFu};
    ExpectPixels(DecodeBmp(View(WriteBmp(parts))), 3, 2, pic.expected);
  }
}

TEST(PictureBmp, LargestSideAcceptedAndOneMoreRejected) {
  for (int width : {kMaxPictureSide, kMaxPictureSide + 1}) {
    const Picture pic = MakePicture(1, width, 1);
    const Image img = DecodeBmp(View(WriteBmp(PartsFor(pic, false))));
    EXPECT_EQ(img.empty(), width > kMaxPictureSide) << width;
  }
  for (int height : {kMaxPictureSide, kMaxPictureSide + 1}) {
    for (bool topDown : {false, true}) {
      const Picture pic = MakePicture(1, 1, height);
      const Image img = DecodeBmp(View(WriteBmp(PartsFor(pic, topDown))));
      EXPECT_EQ(img.empty(), height > kMaxPictureSide) << height << (topDown ? " top-down" : "");
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Malformed files: each breaks one thing in an otherwise valid file.

Buffer Valid24() { return WriteBmp(PartsFor(MakePicture(24, 3, 2), false)); }  // 78 bytes, no tail
Buffer Valid8() { return WriteBmp(PartsFor(MakePicture(8, 4, 2), false)); }
Buffer Valid1x1Mono() { return WriteBmp(PartsFor(MakePicture(1, 1, 1), false)); }
Buffer Valid32() { return WriteBmp(PartsFor(MakePicture(32, 2, 2), false)); }

struct MalformedCase {
  const char* name;
  Buffer (*make)();
};

const MalformedCase kMalformed[] = {
    {"empty", [] { return Buffer{}; }},
    {"file header only", [] { Buffer b = Valid24(); b.resize(14); return b; }},
    {"info header cut short", [] { Buffer b = Valid24(); b.resize(53); return b; }},
    {"last pixel byte missing", [] { Buffer b = Valid24(); b.pop_back(); return b; }},
    {"bad magic", [] { Buffer b = Valid24(); b[0] = 'M'; b[1] = 'B'; return b; }},
    {"lower-case magic", [] { Buffer b = Valid24(); b[0] = 'b'; b[1] = 'm'; return b; }},
    {"width zero", [] { Buffer b = Valid24(); Put32(b, kBiWidth, 0); return b; }},
    {"width negative", [] { Buffer b = Valid24(); Put32(b, kBiWidth, static_cast<std::uint32_t>(-3)); return b; }},
    {"height zero", [] { Buffer b = Valid24(); Put32(b, kBiHeight, 0); return b; }},
    {"height INT_MIN", [] { Buffer b = Valid24(); Put32(b, kBiHeight, 0x80000000u); return b; }},
    {"width huge", [] { Buffer b = Valid24(); Put32(b, kBiWidth, 0x7FFFFFFFu); return b; }},
    {"height huge", [] { Buffer b = Valid24(); Put32(b, kBiHeight, 0x7FFFFFFFu); return b; }},
    {"offset at end", [] { Buffer b = Valid24(); Put32(b, kOffBits, static_cast<std::uint32_t>(b.size())); return b; }},
    {"offset one byte late", [] { Buffer b = Valid24(); Put32(b, kOffBits, 55); return b; }},
    {"offset wraps 32 bits", [] { Buffer b = Valid24(); Put32(b, kOffBits, 0xFFFFFFF0u); return b; }},
    {"header size wraps 32 bits", [] { Buffer b = Valid24(); Put32(b, kBiSize, 0xFFFFFFFFu); return b; }},
    {"header size past end", [] { Buffer b = Valid24(); Put32(b, kBiSize, 200); return b; }},
    {"core header size", [] { Buffer b = Valid24(); Put32(b, kBiSize, 12); return b; }},
    {"palette count wraps 32 bits", [] { Buffer b = Valid8(); Put32(b, kBiClrUsed, 0x40000001u); return b; }},
    // 1x1 at 1 and 8 bits have the same 4-byte row, so only the 256-entry palette fails to fit.
    {"palette past end", [] { Buffer b = Valid1x1Mono(); Put16(b, kBiBitCount, 8); return b; }},
    // All 300 entries are present, so only the count itself is wrong: 8 bits index 256 at most.
    {"palette longer than the depth", [] {
       BmpParts p = PartsFor(MakePicture(8, 2, 2), false);
       p.palette = TestPalette(300);
       p.clrUsed = 300;
       return WriteBmp(p);
     }},
    {"RLE8", [] { Buffer b = Valid8(); Put32(b, kBiCompression, 1); return b; }},
    {"RLE4", [] { Buffer b = Valid8(); Put16(b, kBiBitCount, 4); Put32(b, kBiCompression, 2); return b; }},
    {"bitfields at 24 bits", [] { Buffer b = Valid24(); Put32(b, kBiCompression, 3); return b; }},
    {"bitfields with swapped masks", [] {
       BmpParts p = PartsFor(MakePicture(32, 2, 2), false);
       p.compression = 3;
       p.masks = {0x000000FFu, 0x0000FF00u, 0x00FF0000u};
       return WriteBmp(p);
     }},
    {"JPEG", [] { Buffer b = Valid24(); Put32(b, kBiCompression, 4); return b; }},
    {"PNG", [] { Buffer b = Valid32(); Put32(b, kBiCompression, 5); return b; }},
    {"0 bpp", [] { Buffer b = Valid24(); Put16(b, kBiBitCount, 0); return b; }},
    {"2 bpp", [] { Buffer b = Valid8(); Put16(b, kBiBitCount, 2); return b; }},
    {"16 bpp", [] { Buffer b = Valid32(); Put16(b, kBiBitCount, 16); return b; }},
    {"48 bpp", [] { Buffer b = Valid24(); Put16(b, kBiBitCount, 48); return b; }},
};

TEST(PictureBmpMalformed, BaseFilesAreValid) {
  for (auto make : {Valid24, Valid8, Valid1x1Mono, Valid32}) EXPECT_FALSE(DecodeBmp(View(make())).empty());
}

TEST(PictureBmpMalformed, EachGivesEmpty) {
  for (const MalformedCase& c : kMalformed) {
    SCOPED_TRACE(c.name);
    const Buffer file = c.make();
    EXPECT_TRUE(DecodeBmp(View(file)).empty());
    EXPECT_TRUE(DecodePicture(View(file)).empty());
  }
}

TEST(PictureBmpMalformed, EveryTruncationGivesEmpty) {
  for (auto make : {Valid24, Valid8, Valid1x1Mono, Valid32}) {
    const Buffer full = make();
    for (std::size_t len = 0; len < full.size(); ++len) {
      // A fresh allocation of exactly `len` bytes, so the sanitizer sees any read past it.
      const Buffer cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(len));
      EXPECT_TRUE(DecodeBmp(View(cut)).empty()) << "length " << len << " of " << full.size();
    }
  }
}

TEST(PictureBmpMalformed, NullAndEmptyViews) {
  EXPECT_TRUE(DecodeBmp(Bytes{}).empty());
  EXPECT_TRUE(DecodePicture(Bytes{}).empty());
  const Buffer file = Valid24();
  EXPECT_TRUE(DecodeBmp(Bytes{file.data(), 0}).empty());
}

// ---------------------------------------------------------------------------------------------
// ICO

// An icon image: header with doubled height, palette, colour bits, then the AND mask (1 = clear).
Buffer MakeIconDib(const Picture& pic, const std::vector<std::uint32_t>& mask) {
  Buffer b;
  Append32(b, 40);
  Append32(b, static_cast<std::uint32_t>(pic.width));
  Append32(b, static_cast<std::uint32_t>(pic.height * 2));
  Append16(b, 1);
  Append16(b, static_cast<std::uint32_t>(pic.bpp));
  Append32(b, 0);
  Append32(b, 0);
  for (int i = 0; i < 4; ++i) Append32(b, 0);
  for (std::uint32_t c : pic.palette) Append32(b, c);
  const Buffer xorBits = EncodeRows(pic.bpp, pic.width, pic.height, pic.values, true);
  const Buffer andBits = EncodeRows(1, pic.width, pic.height, mask, true);
  b.insert(b.end(), xorBits.begin(), xorBits.end());
  b.insert(b.end(), andBits.begin(), andBits.end());
  return b;
}

std::vector<std::uint32_t> TestMask(int width, int height) {
  std::vector<std::uint32_t> mask;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) mask.push_back((x + 2 * y) % 3 == 0 ? 1u : 0u);
  return mask;
}

struct IcoEntryParts {
  std::uint8_t width, height, colours;
  std::uint16_t bitCount;
  Buffer image;
};

Buffer WriteIco(const std::vector<IcoEntryParts>& entries, std::uint16_t type = 1) {
  Buffer b;
  Append16(b, 0);
  Append16(b, type);
  Append16(b, static_cast<std::uint32_t>(entries.size()));
  std::size_t offset = 6 + 16 * entries.size();
  for (const IcoEntryParts& e : entries) {
    b.push_back(e.width);
    b.push_back(e.height);
    b.push_back(e.colours);
    b.push_back(0);
    Append16(b, 1);
    Append16(b, e.bitCount);
    Append32(b, static_cast<std::uint32_t>(e.image.size()));
    Append32(b, static_cast<std::uint32_t>(offset));
    offset += e.image.size();
  }
  for (const IcoEntryParts& e : entries) b.insert(b.end(), e.image.begin(), e.image.end());
  return b;
}

IcoEntryParts IconEntry(int bpp, int side) {
  const Picture pic = MakePicture(bpp, side, side);
  const std::uint8_t colours = bpp <= 4 ? static_cast<std::uint8_t>(1 << bpp) : 0;
  return {static_cast<std::uint8_t>(side), static_cast<std::uint8_t>(side), colours,
          static_cast<std::uint16_t>(bpp), MakeIconDib(pic, TestMask(side, side))};
}

TEST(PictureIcoDirectory, ReadsEveryField) {
  const Buffer a(40, 1), b(70, 2);
  const Buffer file = WriteIco({{16, 24, 16, 4, a}, {32, 48, 0, 32, b}}, 2);
  const auto dir = ParseIcoDirectory(View(file));
  ASSERT_TRUE(dir.has_value());
  EXPECT_EQ(dir->type, 2);
  ASSERT_EQ(dir->entries.size(), 2u);
  const IcoEntry& e0 = dir->entries[0];
  const IcoEntry& e1 = dir->entries[1];
  EXPECT_EQ(e0.width, 16);
  EXPECT_EQ(e0.height, 24);
  EXPECT_EQ(e0.colourCount, 16);
  EXPECT_EQ(e0.planes, 1);
  EXPECT_EQ(e0.bitCount, 4);
  EXPECT_EQ(e0.bytes, 40u);
  EXPECT_EQ(e0.offset, 38u);
  EXPECT_EQ(e1.width, 32);
  EXPECT_EQ(e1.height, 48);
  EXPECT_EQ(e1.colourCount, 0);
  EXPECT_EQ(e1.bitCount, 32);
  EXPECT_EQ(e1.bytes, 70u);
  EXPECT_EQ(e1.offset, 78u);
}

TEST(PictureIcoDirectory, MalformedHeadersRejected) {
  const Buffer valid = WriteIco({{16, 16, 16, 4, Buffer(40, 0)}, {32, 32, 0, 32, Buffer(40, 0)}});
  ASSERT_TRUE(ParseIcoDirectory(View(valid)).has_value());
  struct Case {
    const char* name;
    std::size_t length;  // prefix of `valid` kept
    std::size_t patchAt;
    std::uint16_t patch;
  };
  const Case cases[] = {
      {"empty", 0, SIZE_MAX, 0},
      {"header cut short", 5, SIZE_MAX, 0},
      {"header only", 6, SIZE_MAX, 0},
      {"second entry cut short", 6 + 16 + 15, SIZE_MAX, 0},
      {"reserved not zero", valid.size(), 0, 1},
      {"type 0", valid.size(), 2, 0},
      {"type 3", valid.size(), 2, 3},
      {"count 0", valid.size(), 4, 0},
      {"count past the file", valid.size(), 4, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Buffer file(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(c.length));
    if (c.patchAt != SIZE_MAX) Put16(file, c.patchAt, c.patch);
    EXPECT_FALSE(ParseIcoDirectory(View(file)).has_value());
    EXPECT_TRUE(DecodePicture(View(file)).empty());
  }
  // The directory alone decides: a file ending right after a full directory still parses.
  Buffer dirOnly(valid.begin(), valid.begin() + 6 + 32);
  EXPECT_TRUE(ParseIcoDirectory(View(dirOnly)).has_value());
}

TEST(PictureIcoPick, Rule) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, int>> entries;  // width byte, colour count
    int wanted;
    std::size_t expected;
  };
  // The usual nine-image icon: 48, 32 and 16 pixels at 2 colours, 256 colours and true colour.
  // 256 colours and true colour both store a colour count of 0.
  const std::vector<std::pair<int, int>> nine = {{48, 2}, {32, 2}, {16, 2}, {48, 0}, {32, 0},
                                                 {16, 0}, {48, 0}, {32, 0}, {16, 0}};
  std::vector<std::pair<int, int>> nineWith16Colours = nine;
  nineWith16Colours[4] = {16, 16};
  const Case cases[] = {
      {"first of several matches", {{32, 16}, {16, 16}, {16, 16}, {16, 0}}, 16, 1},
      {"exactly 16 colours qualifies", {{16, 16}, {16, 0}}, 16, 0},
      {"large colour count qualifies", {{24, 16}, {16, 255}, {16, 16}}, 16, 1},
      {"too few colours falls to last", {{16, 2}, {16, 8}, {32, 16}, {48, 0}}, 16, 3},
      {"width mismatch falls to last", {{48, 16}, {32, 16}, {24, 0}}, 16, 2},
      {"nine entries, want 16", nine, 16, 8},
      {"nine entries, want 32", nine, 32, 8},
      {"nine entries plus a 16-colour 16", nineWith16Colours, 16, 4},
      {"nine entries plus a 16-colour 16, want 32", nineWith16Colours, 32, 8},
      {"single entry", {{48, 0}}, 16, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IcoDirectory dir;
    dir.type = 1;
    for (auto [w, colours] : c.entries) {
      IcoEntry e;
      e.width = static_cast<std::uint8_t>(w);
      e.height = static_cast<std::uint8_t>(w);
      e.colourCount = static_cast<std::uint8_t>(colours);
      dir.entries.push_back(e);
    }
    EXPECT_EQ(PickIconEntry(dir, c.wanted), c.expected);
  }
}

TEST(PictureIcoPick, NineImageFileGivesTheLast16x16TrueColourImage) {
  std::vector<IcoEntryParts> entries;
  for (int bpp : {1, 8, 32})
    for (int side : {48, 32, 16}) entries.push_back(IconEntry(bpp, side));
  ASSERT_EQ(entries.size(), 9u);
  const Buffer file = WriteIco(entries);
  const auto dir = ParseIcoDirectory(View(file));
  ASSERT_TRUE(dir.has_value());
  for (int wanted : {16, 32}) {
    const std::size_t index = PickIconEntry(*dir, wanted);
    ASSERT_EQ(index, 8u);
    const auto bytes = IconImageBytes(View(file), dir->entries[index]);
    ASSERT_TRUE(bytes.has_value());
    const auto info = ReadIconImageInfo(*bytes);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->width, 16);
    EXPECT_EQ(info->height, 16);
    EXPECT_EQ(info->bitCount, 32);
    const Image img = DecodeIconImage(*bytes);
    EXPECT_EQ(img.width, 16);
    EXPECT_EQ(img.height, 16);
  }
}

TEST(PictureIcoImageBytes, OnlyWhollyInsideTheFile) {
  const Buffer file(100, 0x33);
  struct Case {
    std::uint32_t offset, bytes;
    bool ok;
  };
  const Case cases[] = {
      {90, 10, true},          {0, 100, true},          {6, 40, true},   {90, 11, false},
      {100, 1, false},         {101, 0, false},         {0, 101, false}, {50, 0, false},
      {0xFFFFFFFFu, 2, false},  // wraps to 1 in 32 bits
      {2, 0xFFFFFFFFu, false},  {0x80000000u, 0x80000000u, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "offset " << c.offset << " bytes " << c.bytes);
    IcoEntry e;
    e.offset = c.offset;
    e.bytes = c.bytes;
    const auto got = IconImageBytes(View(file), e);
    ASSERT_EQ(got.has_value(), c.ok);
    if (c.ok) {
      EXPECT_EQ(got->data, file.data() + c.offset);
      EXPECT_EQ(got->size, c.bytes);
    }
  }
}

TEST(PictureIcoInfo, ReadsTheImageHeader) {
  struct Case {
    int bpp, side;
  };
  for (const Case c : {Case{1, 32}, Case{4, 16}, Case{8, 48}, Case{24, 24}, Case{32, 16}}) {
    SCOPED_TRACE(testing::Message() << c.bpp << " bpp " << c.side);
    const IcoEntryParts e = IconEntry(c.bpp, c.side);
    const auto info = ReadIconImageInfo(View(e.image));
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->width, c.side);
    EXPECT_EQ(info->height, c.side);
    EXPECT_EQ(info->bitCount, c.bpp);
  }
}

TEST(PictureIcoInfo, PngAndMalformedGiveNothing) {
  const Buffer good = IconEntry(8, 16).image;
  ASSERT_TRUE(ReadIconImageInfo(View(good)).has_value());
  struct Case {
    const char* name;
    Buffer (*make)(const Buffer&);
  };
  const Case cases[] = {
      {"PNG", [](const Buffer&) {
         Buffer png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
         Append32(png, 0x10000000u);  // big-endian 16
         Append32(png, 0x10000000u);
         png.resize(200, 0);
         return png;
       }},
      {"PNG magic over a DIB", [](const Buffer& b) {
         Buffer c = b;
         c[0] = 0x89; c[1] = 'P'; c[2] = 'N'; c[3] = 'G';
         return c;
       }},
      {"header cut short", [](const Buffer& b) { return Buffer(b.begin(), b.begin() + 39); }},
      {"header size 12", [](const Buffer& b) { Buffer c = b; Put32(c, 0, 12); return c; }},
      {"header size past end", [](const Buffer& b) { Buffer c = b; Put32(c, 0, 0xFFFFFFF0u); return c; }},
      {"width 0", [](const Buffer& b) { Buffer c = b; Put32(c, 4, 0); return c; }},
      {"width huge", [](const Buffer& b) { Buffer c = b; Put32(c, 4, 0x40000000u); return c; }},
      {"stored height 1", [](const Buffer& b) { Buffer c = b; Put32(c, 8, 1); return c; }},
      {"negative height", [](const Buffer& b) { Buffer c = b; Put32(c, 8, static_cast<std::uint32_t>(-32)); return c; }},
      {"height INT_MIN", [](const Buffer& b) { Buffer c = b; Put32(c, 8, 0x80000000u); return c; }},
      {"RLE8", [](const Buffer& b) { Buffer c = b; Put32(c, 16, 1); return c; }},
      {"16 bpp", [](const Buffer& b) { Buffer c = b; Put16(c, 14, 16); return c; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Buffer image = c.make(good);
    EXPECT_FALSE(ReadIconImageInfo(View(image)).has_value());
    EXPECT_TRUE(DecodeIconImage(View(image)).empty());
  }
}

TEST(PictureIcoDecode, Literal24BitWithMask) {
  const Buffer image = {
      40, 0, 0, 0, 2, 0, 0, 0, 4, 0, 0, 0, 1, 0, 24, 0,  // size, width 2, stored height 4, 24 bpp
      0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
      0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0, 0,  // bottom row
      0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0, 0,  // top row
      0x40, 0, 0, 0,                             // bottom mask: right pixel cleared
      0x80, 0, 0, 0,                             // top mask: left pixel cleared
  };
  ExpectPixels(DecodeIconImage(View(image)), 2, 2,
               {0x000C0B0Au, 0xFF0F0E0Du, 0xFF030201u, 0x00060504u});
}

TEST(PictureIcoDecode, EveryDepthWithMask) {
  struct Case {
    int bpp, width, height;
  };
  // Widths of 5 and 33 give mask rows with padding and mask rows spanning two 32-bit words.
  for (const Case c : {Case{1, 16, 16}, Case{4, 5, 3}, Case{8, 33, 2}, Case{24, 5, 4}, Case{24, 16, 16},
                       Case{32, 5, 3}}) {
    SCOPED_TRACE(testing::Message() << c.bpp << " bpp " << c.width << "x" << c.height);
    const Picture pic = MakePicture(c.bpp, c.width, c.height);
    const std::vector<std::uint32_t> mask = TestMask(c.width, c.height);
    std::vector<std::uint32_t> expected = pic.expected;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      if (c.bpp == 32)
        expected[i] = pic.values[i];  // alpha as stored, mask ignored
      else if (mask[i])
        expected[i] &= 0x00FFFFFFu;
    }
    ExpectPixels(DecodeIconImage(View(MakeIconDib(pic, mask))), c.width, c.height, expected);
  }
}

TEST(PictureIcoDecode, EveryTruncationGivesEmpty) {
  for (int bpp : {1, 4, 8, 24, 32}) {
    const Buffer full = MakeIconDib(MakePicture(bpp, 5, 3), TestMask(5, 3));
    ASSERT_FALSE(DecodeIconImage(View(full)).empty());
    for (std::size_t len = 0; len < full.size(); ++len) {
      const Buffer cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(len));
      EXPECT_TRUE(DecodeIconImage(View(cut)).empty()) << bpp << " bpp, length " << len;
    }
  }
}

TEST(PictureIcoDecode, PaletteLargerThanDepthRejected) {
  Buffer image = IconEntry(4, 16).image;
  Put32(image, 32, 17);  // biClrUsed beyond what 4 bits can index
  EXPECT_TRUE(DecodeIconImage(View(image)).empty());
}

TEST(PictureDecodePicture, IcoUsesItsFirstEntry) {
  const IcoEntryParts first = IconEntry(4, 5);
  const IcoEntryParts second = IconEntry(32, 16);
  const Buffer file = WriteIco({first, second});
  const Image expected = DecodeIconImage(View(first.image));
  ASSERT_FALSE(expected.empty());
  const Image got = DecodePicture(View(file));
  EXPECT_EQ(got.width, 5);
  EXPECT_EQ(got.height, 5);
  EXPECT_EQ(got.pixels, expected.pixels);

  const Buffer cursor = WriteIco({second}, 2);
  EXPECT_EQ(DecodePicture(View(cursor)).width, 16);
}

TEST(PictureDecodePicture, BadFirstEntryOrUnknownDataGivesEmpty) {
  Buffer file = WriteIco({IconEntry(4, 16), IconEntry(32, 16)});
  Put32(file, 6 + 8, 0x7FFFFFFFu);  // first entry's size past the end
  EXPECT_TRUE(DecodePicture(View(file)).empty());

  const Buffer pngIcon = WriteIco({{16, 16, 0, 32, Buffer{0x89, 'P', 'N', 'G', 0, 0, 0, 0}}});
  EXPECT_TRUE(DecodePicture(View(pngIcon)).empty());

  const std::string text = "GIF89a not a picture we take";
  const Buffer gif(text.begin(), text.end());
  EXPECT_TRUE(DecodePicture(View(gif)).empty());
}

// ---------------------------------------------------------------------------------------------
// Decoding into caller memory, as the toolkit does straight into a bitmap's own pixels.

// A store that hands out exactly width * height pixels of its own (so the sanitizer sees any write
// past them) and records how it was asked.
struct CountingStore {
  int calls = 0, width = 0, height = 0;
  std::vector<std::uint32_t> memory;

  PixelStore Store() {
    return [this](int w, int h) {
      ++calls;
      width = w;
      height = h;
      memory.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0xDEADBEEFu);
      return memory.data();
    };
  }
};

TEST(PictureDecodeInto, FillsTheGivenMemoryOnceWithThePicture) {
  const IcoEntryParts icon = IconEntry(32, 16);
  const std::vector<std::pair<const char*, Buffer>> files = {
      {"24 bpp bottom-up", WriteBmp(PartsFor(MakePicture(24, 5, 4), false))},
      {"8 bpp top-down", WriteBmp(PartsFor(MakePicture(8, 17, 3), true))},
      {"1 bpp", WriteBmp(PartsFor(MakePicture(1, 33, 2), false))},
      {"ico", WriteIco({icon, IconEntry(4, 5)})},
  };
  for (const auto& [name, file] : files) {
    SCOPED_TRACE(name);
    const Image expected = DecodePicture(View(file));
    ASSERT_FALSE(expected.empty());
    CountingStore store;
    EXPECT_TRUE(DecodePictureInto(View(file), store.Store()));
    EXPECT_EQ(store.calls, 1);
    EXPECT_EQ(store.width, expected.width);
    EXPECT_EQ(store.height, expected.height);
    EXPECT_EQ(store.memory, expected.pixels);  // every pixel written, none left at the fill
  }
}

TEST(PictureDecodeInto, BadFilesNeverAskForMemory) {
  std::vector<Buffer> bad;
  for (const MalformedCase& c : kMalformed) bad.push_back(c.make());
  for (auto make : {Valid24, Valid8, Valid32}) {
    const Buffer full = make();
    for (std::size_t len = 0; len < full.size(); len += 3)
      bad.emplace_back(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(len));
  }
  Buffer badIcon = WriteIco({IconEntry(4, 16)});
  Put32(badIcon, 6 + 8, 0x7FFFFFFFu);
  bad.push_back(badIcon);
  bad.push_back(Buffer{});
  for (std::size_t i = 0; i < bad.size(); ++i) {
    CountingStore store;
    EXPECT_FALSE(DecodePictureInto(View(bad[i]), store.Store())) << "file " << i;
    EXPECT_EQ(store.calls, 0) << "file " << i;
  }
}

TEST(PictureDecodeInto, NoRoomGivesFalse) {
  int calls = 0;
  const PixelStore refuse = [&calls](int, int) -> std::uint32_t* {
    ++calls;
    return nullptr;
  };
  EXPECT_FALSE(DecodePictureInto(View(Valid24()), refuse));
  EXPECT_FALSE(DecodePictureInto(View(WriteIco({IconEntry(8, 16)})), refuse));
  EXPECT_EQ(calls, 2);
}

TEST(PictureBmpLayout, PointsAtTheHeaderAndRowsOfFilesTheDecoderTakes) {
  for (const DepthCase c : {DepthCase{24, 5, 3, false}, DepthCase{8, 17, 4, true}, DepthCase{1, 33, 2, false},
                            DepthCase{32, 2, 5, true}}) {
    const Buffer file = WriteBmp(PartsFor(MakePicture(c.bpp, c.width, c.height), c.topDown));
    const auto layout = ReadBmpLayout(View(file));
    ASSERT_TRUE(layout) << c.bpp << " bpp";
    EXPECT_EQ(layout->infoAt, 14u);
    EXPECT_EQ(layout->bitsAt, file[10] | (file[11] << 8) | (file[12] << 16) | (static_cast<std::size_t>(file[13]) << 24));
    EXPECT_EQ(layout->width, c.width);
    EXPECT_EQ(layout->height, c.height);
    const std::size_t stride = (static_cast<std::size_t>(c.width) * c.bpp + 31) / 32 * 4;
    EXPECT_LE(layout->bitsAt + stride * c.height, file.size());  // every row the system reads is there
  }
}

TEST(PictureBmpLayout, NoneForWhatTheDecoderRefuses) {
  for (const MalformedCase& c : kMalformed) EXPECT_FALSE(ReadBmpLayout(View(c.make()))) << c.name;
  const Buffer full = Valid8();
  for (std::size_t len = 0; len < full.size(); ++len)
    EXPECT_FALSE(ReadBmpLayout(View(Buffer(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(len)))));
  EXPECT_FALSE(ReadBmpLayout(View(WriteIco({IconEntry(8, 16)}))));  // icons are decoded, not handed over
}

}  // namespace
}  // namespace vl
