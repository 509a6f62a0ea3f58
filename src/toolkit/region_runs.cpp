#include "toolkit/region_runs.h"

namespace vl {

std::vector<RunRect> BuildRegionRuns(const Image& image, std::uint32_t transparent) {
  std::vector<RunRect> runs;
  if (image.empty()) return runs;
  const std::size_t width = static_cast<std::size_t>(image.width);
  const std::size_t height = static_cast<std::size_t>(image.height);
  // An Image whose pixel vector disagrees with its size is a caller's bug; an empty outline is
  // safer than reading past the vector.
  if (image.pixels.size() / width < height) return runs;

  // COLORREF keeps red in the low byte; pixels keep blue there.
  const std::uint32_t red = transparent & 0xFF;
  const std::uint32_t green = (transparent >> 8) & 0xFF;
  const std::uint32_t blue = (transparent >> 16) & 0xFF;
  const std::uint32_t key = (red << 16) | (green << 8) | blue;

  for (int y = 0; y < image.height; ++y) {
    const std::uint32_t* row = image.pixels.data() + static_cast<std::size_t>(y) * width;
    int x = 0;
    while (x < image.width) {
      while (x < image.width && (row[x] & 0x00FFFFFFu) == key) ++x;
      if (x == image.width) break;
      const int start = x;
      while (x < image.width && (row[x] & 0x00FFFFFFu) != key) ++x;
      runs.push_back(RunRect{start, y, x, y + 1});
    }
  }
  return runs;
}

}  // namespace vl
