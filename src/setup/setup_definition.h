#pragma once
#include "toolkit/definition.h"

namespace vl {

WindowDef SetupWindowDefinition();

// The two explanatory labels, shared word for word with the mask panel.
ControlDef ExplanationLabel();        // 标签1
ControlDef HiddenExplanationLabel();  // 标签2

// Title of both main windows.
inline constexpr const char* kMainWindowTitle = "Veilora0.1-Quillmart特别版";
inline constexpr Colour kMaskColour = 0x00C6FFC6;

}  // namespace vl
