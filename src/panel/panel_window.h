#pragma once
#include "toolkit/toolkit.h"

namespace vl {

extern WindowUnit MaskPanelWindow;

}  // namespace vl
