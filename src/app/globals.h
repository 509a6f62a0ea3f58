// The program's one shared value.
#pragma once
#include <cstdint>

namespace vl {

// The mask's alpha (0..255; Windows takes the low 8 bits). 60 whenever the setup window loads.
extern std::int32_t maskOpacity;

void InitGlobals();
void ReleaseGlobals();

}  // namespace vl
