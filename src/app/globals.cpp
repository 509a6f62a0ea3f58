#include "app/globals.h"

namespace vl {

std::int32_t maskOpacity = 0;

void InitGlobals() {
  // maskOpacity starts at 0 with the process; nothing else to prepare.
}

void ReleaseGlobals() {
  // maskOpacity holds nothing to release.
}

}  // namespace vl
