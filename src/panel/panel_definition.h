#pragma once
#include "toolkit/definition.h"

namespace vl {

WindowDef MaskPanelWindowDefinition();

}  // namespace vl
