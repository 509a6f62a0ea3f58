// Decoding of the picture values the controls receive: uncompressed BMP files and ICO files.
// Portable and defensive: any input, however malformed, gives an empty result, never a read
// outside the buffer. No <windows.h>.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "toolkit/bytes.h"

namespace vl {

// Pixels top-down, row after row, each 0xAARRGGBB (the byte order of a 32-bit top-down DIB:
// B, G, R, A in memory). Decoded BMPs without alpha get A = 0xFF.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  bool empty() const { return width <= 0 || height <= 0 || pixels.empty(); }
  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Where a decoder writes: called at most once, only after the whole file has been checked, with
// the picture's size; returns room for width * height pixels in Image's layout, or null to give
// up. Lets a caller decode straight into a bitmap's own memory, with no pixel copy in between.
using PixelStore = std::function<std::uint32_t*(int width, int height)>;

// Largest width or height accepted; anything bigger is treated as malformed.
inline constexpr int kMaxPictureSide = 16384;

// An uncompressed BMP (BITMAPINFOHEADER or later; 1, 4, 8, 24 or 32 bits per pixel; bottom-up or
// top-down). Anything else, or a file that lies about its sizes, gives an empty Image.
Image DecodeBmp(Bytes file);
bool DecodeBmpInto(Bytes file, const PixelStore& store);

// Where the parts of a BMP that DecodeBmp takes lie, for handing its own bytes to the system to
// draw: the BITMAPINFO (header, then masks or palette) at `infoAt`, the rows at `bitsAt`. Empty for
// any file DecodeBmp gives empty, so everything the system reads from those places is inside it.
struct BmpLayout {
  std::size_t infoAt = 0, bitsAt = 0;
  int width = 0, height = 0;
};
std::optional<BmpLayout> ReadBmpLayout(Bytes file);

struct IcoEntry {
  std::uint8_t width = 0, height = 0, colourCount = 0, reserved = 0;
  std::uint16_t planes = 0, bitCount = 0;
  std::uint32_t bytes = 0, offset = 0;
};

struct IcoDirectory {
  std::uint16_t type = 0;  // 1 icon, 2 cursor
  std::vector<IcoEntry> entries;
};

// The 6-byte header and the 16-byte entries. Empty optional when the header is not reserved 0,
// type 1 or 2, count > 0, or the directory does not fit in the data.
std::optional<IcoDirectory> ParseIcoDirectory(Bytes file);

// The entry the toolkit uses for a wanted width: the first whose colour count is at least 16 and
// whose width byte equals `width`, else the last entry.
std::size_t PickIconEntry(const IcoDirectory& dir, int width);

// The bytes of one entry's image, if they lie wholly inside the file.
std::optional<Bytes> IconImageBytes(Bytes file, const IcoEntry& entry);

// Width, height (the icon's, i.e. half the stored DIB height) and bit count from an icon image's
// own BITMAPINFOHEADER; empty for PNG-compressed or malformed images.
struct IconImageInfo {
  int width = 0, height = 0, bitCount = 0;
};
std::optional<IconImageInfo> ReadIconImageInfo(Bytes image);

// Decodes one entry's image (colour bits plus AND mask; 32-bit images keep their alpha) into
// pixels, for showing an icon file as a picture.
Image DecodeIconImage(Bytes image);
bool DecodeIconImageInto(Bytes image, const PixelStore& store);

// Any picture value: a BMP, or an ICO file (its first entry).
Image DecodePicture(Bytes file);
// The same into caller-provided memory: false (and `store` never called) for anything DecodePicture
// gives empty, and false when `store` gives no room.
bool DecodePictureInto(Bytes file, const PixelStore& store);

}  // namespace vl
