#include "setup/setup_window.h"

#include "setup/setup_definition.h"
#include "setup/setup_handlers.h"

namespace vl {

WindowUnit SetupWindow{
    "SetupWindow",
    SetupWindowDefinition,
    WindowEvents{
        .created = setup::Created,
        .canClose = setup::CanClose,
        .trayEvent = setup::TrayEvent,
        .controls =
            {
                {.control = "按钮3", .clicked = setup::按钮3_Clicked},
                {.control = "按钮2", .clicked = setup::按钮2_Clicked},
                {.control = "按钮1", .clicked = setup::按钮1_Clicked},
                {.control = "滑块条1", .positionChanged = setup::滑块条1_PositionChanged},
                {.control = "图形按钮1", .clicked = setup::图形按钮1_Clicked},
            },
    },
};

}  // namespace vl
