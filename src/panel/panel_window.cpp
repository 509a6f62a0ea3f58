#include "panel/panel_window.h"

#include "panel/panel_definition.h"
#include "panel/panel_handlers.h"

namespace vl {

WindowUnit MaskPanelWindow{
    "MaskPanelWindow",
    MaskPanelWindowDefinition,
    WindowEvents{
        .created = panel::Created,
        .canClose = panel::CanClose,
        .trayEvent = panel::TrayEvent,
        .controls =
            {
                {.control = "图形按钮1", .clicked = panel::图形按钮1_Clicked},
                {.control = "按钮3", .clicked = panel::按钮3_Clicked},
                {.control = "按钮2", .clicked = panel::按钮2_Clicked},
                {.control = "按钮1", .clicked = panel::按钮1_Clicked},
            },
    },
};

}  // namespace vl
