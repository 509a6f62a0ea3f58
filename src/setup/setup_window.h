#pragma once
#include "toolkit/toolkit.h"

namespace vl {

extern WindowUnit SetupWindow;

}  // namespace vl
