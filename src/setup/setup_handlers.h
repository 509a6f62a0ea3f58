// Handlers of the setup window and its controls.
#pragma once
#include <optional>

namespace vl::setup {

void Created();
std::optional<bool> CanClose();
void TrayEvent(int type);
void 按钮3_Clicked();  // 关闭
void 按钮2_Clicked();  // 最小化
void 按钮1_Clicked();  // 关于
void 滑块条1_PositionChanged();
void 图形按钮1_Clicked();  // the switch: turns this window into the mask

// Stretches the window over the screen and makes it a layered, click-through layer.
void CoverScreen();

}  // namespace vl::setup
