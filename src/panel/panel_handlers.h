// Handlers of the mask panel.
#pragma once
#include <optional>

namespace vl::panel {

void Created();
std::optional<bool> CanClose();
void TrayEvent(int type);
void 图形按钮1_Clicked();  // removes the mask
void 按钮3_Clicked();      // 关闭
void 按钮2_Clicked();      // 最小化
void 按钮1_Clicked();      // 关于

}  // namespace vl::panel
