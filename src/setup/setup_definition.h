#pragma once
#include "toolkit/definition.h"

namespace vl {

WindowDef SetupWindowDefinition();

// What the mask panel shares with the setup window: the frame (title, size, placement, white
// background, no taskbar button), the switch's place and shape, the hidden colour picker and the
// two explanatory labels.
WindowDef MainWindowFrame();
ControlDef SwitchButton(Bytes normal, Bytes hover, Bytes pressed);  // 图形按钮1
ControlDef MaskColourPicker(int left, int top);                     // 颜色选择器1
ControlDef ExplanationLabel();        // 标签1
ControlDef HiddenExplanationLabel();  // 标签2

// Title of both main windows.
inline constexpr const char* kMainWindowTitle = "Veilora0.1-Quillmart特别版";
inline constexpr Colour kMaskColour = 0x00C6FFC6;

}  // namespace vl
