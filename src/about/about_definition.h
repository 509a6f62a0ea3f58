#pragma once
#include "toolkit/definition.h"

namespace vl {

WindowDef AboutWindowDefinition();

inline constexpr const char* kAuthorWebAddress = "www.veilora.net";

}  // namespace vl
