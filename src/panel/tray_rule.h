#pragma once
#include "toolkit/toolkit.h"

namespace vl {

// What a click on a main window's notification-area icon does to that window:
// 1 (left click) toggles it, showing it centred; 3 (right click) leaves it hidden.
void ApplyTrayRule(WindowUnit& window, int type);

}  // namespace vl
