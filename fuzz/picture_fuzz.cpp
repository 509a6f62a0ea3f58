// Feeds arbitrary bytes to every entry point of the picture decoder and to the region builder.
// Crashes, sanitizer reports and broken invariants are all findings.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "toolkit/picture.h"
#include "toolkit/region_runs.h"

namespace {

// A decoder that returns a non-empty Image must return a consistent one: the toolkit indexes
// pixels by width and height without checking again.
void CheckImage(const vl::Image& image) {
  if (image.empty()) return;
  if (image.width > vl::kMaxPictureSide || image.height > vl::kMaxPictureSide) std::abort();
  if (image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) std::abort();

  // Two transparent colours: one taken from the picture so that cuts happen, one fixed.
  const std::uint32_t p = image.pixels[image.pixels.size() / 2];
  const std::uint32_t fromPicture = ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
  for (std::uint32_t transparent : {fromPicture, std::uint32_t{0x00FFFFFF}}) {
    int lastTop = -1, lastRight = -1;
    for (const vl::RunRect& r : vl::BuildRegionRuns(image, transparent)) {
      if (r.left < 0 || r.left >= r.right || r.right > image.width) std::abort();
      if (r.top < 0 || r.bottom != r.top + 1 || r.bottom > image.height) std::abort();
      // Rows top to bottom, runs left to right and maximal (never touching the previous one).
      if (r.top < lastTop || (r.top == lastTop && r.left <= lastRight)) std::abort();
      lastTop = r.top;
      lastRight = r.right;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const vl::Bytes file{data, size};

  // Decoding into caller memory asks once, for a size in range, and only for files that decode.
  std::vector<std::uint32_t> room;
  int asked = 0;
  const bool into = vl::DecodePictureInto(file, [&](int w, int h) {
    ++asked;
    if (w <= 0 || h <= 0 || w > vl::kMaxPictureSide || h > vl::kMaxPictureSide) std::abort();
    room.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
    return room.data();
  });
  const vl::Image decoded = vl::DecodePicture(file);
  if (asked > 1 || into != !decoded.empty() || (into && room != decoded.pixels)) std::abort();
  CheckImage(decoded);

  // A BMP handed to the system to draw: only what the decoder takes, with every row inside.
  const vl::Image bmp = vl::DecodeBmp(file);
  if (const auto layout = vl::ReadBmpLayout(file)) {
    if (bmp.empty() || layout->width != bmp.width || layout->height != bmp.height) std::abort();
    if (layout->infoAt >= size || layout->bitsAt > size) std::abort();
  } else if (!bmp.empty()) {
    std::abort();
  }
  CheckImage(bmp);

  if (const auto dir = vl::ParseIcoDirectory(file)) {
    if (dir->entries.empty()) std::abort();
    for (int width : {16, 32}) {
      const std::size_t index = vl::PickIconEntry(*dir, width);
      if (index >= dir->entries.size()) std::abort();
      const auto bytes = vl::IconImageBytes(file, dir->entries[index]);
      if (!bytes) continue;
      if (bytes->data < data || bytes->size > size || bytes->data + bytes->size > data + size) std::abort();
      const auto info = vl::ReadIconImageInfo(*bytes);
      const vl::Image image = vl::DecodeIconImage(*bytes);
      CheckImage(image);
      // Whatever decodes has a readable header that agrees with it.
      if (!image.empty() && (!info || info->width != image.width || info->height != image.height))
        std::abort();
    }
  }

  // The image bytes on their own, as the window code hands them over from a resource.
  const auto info = vl::ReadIconImageInfo(file);
  const vl::Image image = vl::DecodeIconImage(file);
  CheckImage(image);
  if (!image.empty() && (!info || info->width != image.width || info->height != image.height)) std::abort();
  return 0;
}
