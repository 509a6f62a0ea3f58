// The outline of a picture button: the picture's pixels whose colour is not the transparent one,
// collected row by row as horizontal runs. Portable: no <windows.h>.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "toolkit/picture.h"

namespace vl {

struct RunRect {
  int left, top, right, bottom;  // right and bottom exclusive
  friend bool operator==(const RunRect&, const RunRect&) = default;
};

// `transparent` is a GDI colour 0x00BBGGRR; a pixel is cut out when its red, green and blue all
// match it exactly. Alpha is ignored.
std::vector<RunRect> BuildRegionRuns(const Image& image, std::uint32_t transparent);

// Regions are handed to the system in batches of at most this many rectangles.
inline constexpr std::size_t kRegionBatch = 2000;

}  // namespace vl
