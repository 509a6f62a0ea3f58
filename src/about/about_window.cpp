// The about box and its two handlers: however it closes, the setup window is top-most again.
#include "about/about_window.h"

#include "about/about_definition.h"
#include "setup/setup_window.h"

namespace vl {
namespace about {

void 按钮1_Clicked() {
  DestroyWindow(AboutWindow);
  SetupWindow.SetAlwaysOnTop(true);
}

std::optional<bool> CanClose() {
  SetupWindow.SetAlwaysOnTop(true);
  return std::nullopt;  // no answer: the close goes ahead
}

}  // namespace about

WindowUnit AboutWindow{
    "AboutWindow",
    AboutWindowDefinition,
    WindowEvents{
        .canClose = about::CanClose,
        .controls = {{.control = "按钮1", .clicked = about::按钮1_Clicked}},
    },
};

}  // namespace vl
