#include "toolkit/picture.h"

#include <array>
#include <climits>

// Every size taken from a file is widened to 64 bits before any arithmetic: the largest value a
// header can hold (2^32 - 1) times the largest factor used here (8 bits per byte, 4 bytes per
// palette entry, kMaxPictureSide rows) stays far below 2^63, so no product or sum can wrap.

namespace vl {
namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

constexpr std::uint64_t kFileHeaderSize = 14;
constexpr std::uint64_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER; V4 and V5 extend it
constexpr std::uint64_t kIcoHeaderSize = 6;
constexpr std::uint64_t kIcoEntrySize = 16;

// Callers check `at + width <= size` first; these only assemble the little-endian value.
std::uint16_t U16(Bytes b, std::uint64_t at) {
  return static_cast<std::uint16_t>(b.data[at] | (b.data[at + 1] << 8));
}
std::uint32_t U32(Bytes b, std::uint64_t at) {
  return static_cast<std::uint32_t>(b.data[at]) | (static_cast<std::uint32_t>(b.data[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b.data[at + 2]) << 16) |
         (static_cast<std::uint32_t>(b.data[at + 3]) << 24);
}
std::int32_t S32(Bytes b, std::uint64_t at) { return static_cast<std::int32_t>(U32(b, at)); }

// Decoding into an Image: its pixel vector is the store.
PixelStore ImageStore(Image& image) {
  return [&image](int width, int height) {
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    return image.pixels.data();
  };
}

bool Fits(Bytes b, std::uint64_t at, std::uint64_t len) {
  return !b.empty() && at <= b.size && len <= b.size - at;
}

// The fields of a BITMAPINFOHEADER this decoder looks at.
struct DibHeader {
  std::uint32_t headerSize = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = 0;
  std::uint32_t clrUsed = 0;
};

std::optional<DibHeader> ReadDibHeader(Bytes b, std::uint64_t at) {
  if (!Fits(b, at, kInfoHeaderSize)) return std::nullopt;
  DibHeader h;
  h.headerSize = U32(b, at);
  // Smaller headers (OS/2 BITMAPCOREHEADER) have a different layout and are not supported.
  if (h.headerSize < kInfoHeaderSize || !Fits(b, at, h.headerSize)) return std::nullopt;
  h.width = S32(b, at + 4);
  h.height = S32(b, at + 8);
  h.bitCount = U16(b, at + 14);
  h.compression = U32(b, at + 16);
  h.clrUsed = U32(b, at + 32);
  return h;
}

bool SupportedDepth(std::uint16_t bpp) {
  return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24 || bpp == 32;
}

bool SideInRange(std::int64_t side) { return side > 0 && side <= kMaxPictureSide; }

std::uint64_t RowStride(std::int32_t width, std::uint16_t bpp) {
  return (static_cast<std::uint64_t>(width) * bpp + 31) / 32 * 4;
}

// Palette entries as 0xFFRRGGBB. Indices past the stored entries read as opaque black, which is
// what a short palette shows on screen as well.
struct Palette {
  std::array<std::uint32_t, 256> colours{};
};

// `count` is the number of stored entries (already bounded to 2^bpp by the caller).
std::optional<Palette> ReadPalette(Bytes b, std::uint64_t at, std::uint64_t count) {
  if (!Fits(b, at, count * 4)) return std::nullopt;
  Palette p;
  p.colours.fill(0xFF000000u);
  for (std::uint64_t i = 0; i < count; ++i) {
    // RGBQUAD: blue, green, red, reserved.
    p.colours[i] = 0xFF000000u | (U32(b, at + i * 4) & 0x00FFFFFFu);
  }
  return p;
}

// How many palette entries a header declares for its depth; empty when it claims more than the
// depth can index, which only a damaged or hostile file does.
std::optional<std::uint64_t> PaletteCount(const DibHeader& h) {
  if (h.bitCount > 8) return 0;
  const std::uint64_t full = std::uint64_t{1} << h.bitCount;
  if (h.clrUsed == 0) return full;
  if (h.clrUsed > full) return std::nullopt;
  return h.clrUsed;
}

// One stored row into `out` (width pixels). `keepAlpha` is for 32-bit icons; plain BMPs leave the
// fourth byte unused, so it is forced opaque there.
void DecodeRow(const std::uint8_t* row, int width, std::uint16_t bpp, const Palette& palette,
               bool keepAlpha, std::uint32_t* out) {
  switch (bpp) {
    case 1:
      for (int x = 0; x < width; ++x) out[x] = palette.colours[(row[x >> 3] >> (7 - (x & 7))) & 1];
      break;
    case 4:
      for (int x = 0; x < width; ++x) {
        const std::uint8_t byte = row[x >> 1];
        out[x] = palette.colours[(x & 1) ? (byte & 0x0F) : (byte >> 4)];
      }
      break;
    case 8:
      for (int x = 0; x < width; ++x) out[x] = palette.colours[row[x]];
      break;
    case 24:
      for (int x = 0; x < width; ++x) {
        const std::uint8_t* p = row + static_cast<std::size_t>(x) * 3;
        out[x] = 0xFF000000u | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
      }
      break;
    case 32:
      for (int x = 0; x < width; ++x) {
        const std::uint8_t* p = row + static_cast<std::size_t>(x) * 4;
        const std::uint32_t alpha = keepAlpha ? std::uint32_t{p[3]} << 24 : 0xFF000000u;
        out[x] = alpha | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
      }
      break;
    default:
      break;
  }
}

// BI_BITFIELDS is only taken in the form every writer produces for 32-bit pictures (X8R8G8B8),
// which then reads exactly like BI_RGB. The masks follow a 40-byte header, or sit inside a
// larger one at the same place.
bool StandardBitfields(Bytes file, std::uint64_t infoAt, const DibHeader& h) {
  if (h.bitCount != 32) return false;
  const std::uint64_t masksAt = infoAt + kInfoHeaderSize;
  if (!Fits(file, masksAt, 12)) return false;
  return U32(file, masksAt) == 0x00FF0000u && U32(file, masksAt + 4) == 0x0000FF00u &&
         U32(file, masksAt + 8) == 0x000000FFu;
}

}  // namespace

bool DecodeBmpInto(Bytes file, const PixelStore& store) {
  if (!Fits(file, 0, kFileHeaderSize + kInfoHeaderSize)) return false;
  if (file.data[0] != 'B' || file.data[1] != 'M') return false;
  const std::uint64_t offBits = U32(file, 10);

  const auto header = ReadDibHeader(file, kFileHeaderSize);
  if (!header) return false;
  const DibHeader& h = *header;
  if (!SupportedDepth(h.bitCount)) return false;
  if (h.height == INT_MIN) return false;  // its magnitude has no int32 representation
  const bool topDown = h.height < 0;
  const std::int64_t rows = topDown ? -static_cast<std::int64_t>(h.height) : h.height;
  if (!SideInRange(h.width) || !SideInRange(rows)) return false;

  // Bitfields are only taken at 32 bits, which have no palette, so the masks never shift it.
  const std::uint64_t paletteAt = kFileHeaderSize + h.headerSize;
  if (h.compression == kBiBitfields) {
    if (!StandardBitfields(file, kFileHeaderSize, h)) return false;
  } else if (h.compression != kBiRgb) {
    return false;
  }

  const auto paletteCount = PaletteCount(h);
  if (!paletteCount) return false;
  Palette palette;
  if (h.bitCount <= 8) {
    auto read = ReadPalette(file, paletteAt, *paletteCount);
    if (!read) return false;
    palette = *read;
  }

  // biSizeImage is ignored: writers often leave it 0, and the rows' own size is what is read.
  const std::uint64_t stride = RowStride(h.width, h.bitCount);
  if (!Fits(file, offBits, stride * static_cast<std::uint64_t>(rows))) return false;

  std::uint32_t* const pixels = store(h.width, static_cast<int>(rows));
  if (!pixels) return false;
  for (std::int64_t stored = 0; stored < rows; ++stored) {
    const std::int64_t y = topDown ? stored : rows - 1 - stored;
    const std::uint8_t* src = file.data + offBits + static_cast<std::uint64_t>(stored) * stride;
    DecodeRow(src, h.width, h.bitCount, palette, false, pixels + static_cast<std::size_t>(y) * h.width);
  }
  return true;
}

std::optional<BmpLayout> ReadBmpLayout(Bytes file) {
  // The decoder asks for room only once every check has passed: its question is the answer.
  std::optional<BmpLayout> layout;
  DecodeBmpInto(file, [&](int width, int height) -> std::uint32_t* {
    layout = BmpLayout{static_cast<std::size_t>(kFileHeaderSize), U32(file, 10), width, height};
    return nullptr;
  });
  return layout;
}

Image DecodeBmp(Bytes file) {
  Image image;
  if (!DecodeBmpInto(file, ImageStore(image))) return {};
  return image;
}

std::optional<IcoDirectory> ParseIcoDirectory(Bytes file) {
  if (!Fits(file, 0, kIcoHeaderSize)) return std::nullopt;
  const std::uint16_t reserved = U16(file, 0);
  const std::uint16_t type = U16(file, 2);
  const std::uint16_t count = U16(file, 4);
  if (reserved != 0 || (type != 1 && type != 2) || count == 0) return std::nullopt;
  if (!Fits(file, kIcoHeaderSize, kIcoEntrySize * count)) return std::nullopt;

  IcoDirectory dir;
  dir.type = type;
  dir.entries.reserve(count);
  for (std::uint64_t i = 0; i < count; ++i) {
    const std::uint64_t at = kIcoHeaderSize + i * kIcoEntrySize;
    IcoEntry e;
    e.width = file.data[at];
    e.height = file.data[at + 1];
    e.colourCount = file.data[at + 2];
    e.reserved = file.data[at + 3];
    e.planes = U16(file, at + 4);
    e.bitCount = U16(file, at + 6);
    e.bytes = U32(file, at + 8);
    e.offset = U32(file, at + 12);
    dir.entries.push_back(e);
  }
  return dir;
}

std::size_t PickIconEntry(const IcoDirectory& dir, int width) {
  // Deliberately the plain byte comparison: a colour count of 0 (256 colours or true colour) and a
  // width byte of 0 (256 pixels) never match, so such icons fall through to the last entry.
  for (std::size_t i = 0; i < dir.entries.size(); ++i) {
    const IcoEntry& e = dir.entries[i];
    if (e.colourCount >= 16 && e.width == width) return i;
  }
  return dir.entries.empty() ? 0 : dir.entries.size() - 1;
}

std::optional<Bytes> IconImageBytes(Bytes file, const IcoEntry& entry) {
  if (entry.bytes == 0 || !Fits(file, entry.offset, entry.bytes)) return std::nullopt;
  return Bytes{file.data + entry.offset, entry.bytes};
}

namespace {

bool IsPng(Bytes image) {
  static constexpr std::uint8_t kMagic[4] = {0x89, 'P', 'N', 'G'};
  if (!Fits(image, 0, 4)) return false;
  for (int i = 0; i < 4; ++i)
    if (image.data[i] != kMagic[i]) return false;
  return true;
}

// The header of an icon image with everything DecodeIconImage relies on checked, except the
// lengths of the palette and bit arrays.
std::optional<DibHeader> ReadIconHeader(Bytes image) {
  if (IsPng(image)) return std::nullopt;
  const auto header = ReadDibHeader(image, 0);
  if (!header) return std::nullopt;
  const DibHeader& h = *header;
  // Icons are always stored bottom-up with the AND mask stacked on the colour bits, so the stored
  // height is twice the icon's and never negative.
  if (!SideInRange(h.width) || h.height <= 0 || !SideInRange(h.height / 2)) return std::nullopt;
  if (!SupportedDepth(h.bitCount) || h.compression != kBiRgb) return std::nullopt;
  return header;
}

}  // namespace

std::optional<IconImageInfo> ReadIconImageInfo(Bytes image) {
  const auto h = ReadIconHeader(image);
  if (!h) return std::nullopt;
  return IconImageInfo{h->width, h->height / 2, h->bitCount};
}

bool DecodeIconImageInto(Bytes image, const PixelStore& store) {
  const auto header = ReadIconHeader(image);
  if (!header) return false;
  const DibHeader& h = *header;
  const int width = h.width;
  const int rows = h.height / 2;

  const auto paletteCount = PaletteCount(h);
  if (!paletteCount) return false;
  const std::uint64_t paletteAt = h.headerSize;
  Palette palette;
  if (h.bitCount <= 8) {
    auto read = ReadPalette(image, paletteAt, *paletteCount);
    if (!read) return false;
    palette = *read;
  }

  const std::uint64_t xorAt = paletteAt + *paletteCount * 4;
  const std::uint64_t xorStride = RowStride(width, h.bitCount);
  const std::uint64_t xorSize = xorStride * static_cast<std::uint64_t>(rows);
  const std::uint64_t andAt = xorAt + xorSize;
  const std::uint64_t andStride = RowStride(width, 1);
  // The mask is required even for 32-bit images, where alpha makes it redundant: an image without
  // it is truncated, and the system would refuse it as an icon too.
  if (!Fits(image, xorAt, xorSize) || !Fits(image, andAt, andStride * static_cast<std::uint64_t>(rows)))
    return false;

  std::uint32_t* const pixels = store(width, rows);
  if (!pixels) return false;
  const bool hasAlpha = h.bitCount == 32;
  for (int stored = 0; stored < rows; ++stored) {
    const int y = rows - 1 - stored;
    std::uint32_t* dst = pixels + static_cast<std::size_t>(y) * width;
    DecodeRow(image.data + xorAt + static_cast<std::uint64_t>(stored) * xorStride, width, h.bitCount,
              palette, hasAlpha, dst);
    if (hasAlpha) continue;
    const std::uint8_t* mask = image.data + andAt + static_cast<std::uint64_t>(stored) * andStride;
    for (int x = 0; x < width; ++x) {
      if ((mask[x >> 3] >> (7 - (x & 7))) & 1) dst[x] &= 0x00FFFFFFu;  // transparent
    }
  }
  return true;
}

Image DecodeIconImage(Bytes image) {
  Image out;
  if (!DecodeIconImageInto(image, ImageStore(out))) return {};
  return out;
}

bool DecodePictureInto(Bytes file, const PixelStore& store) {
  if (Fits(file, 0, 2) && file.data[0] == 'B' && file.data[1] == 'M') return DecodeBmpInto(file, store);
  const auto dir = ParseIcoDirectory(file);
  if (!dir) return false;
  const auto bytes = IconImageBytes(file, dir->entries.front());
  if (!bytes) return false;
  return DecodeIconImageInto(*bytes, store);
}

Image DecodePicture(Bytes file) {
  Image image;
  if (!DecodePictureInto(file, ImageStore(image))) return {};
  return image;
}

}  // namespace vl
