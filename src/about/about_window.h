#pragma once
#include "toolkit/toolkit.h"

namespace vl {

extern WindowUnit AboutWindow;

}  // namespace vl
