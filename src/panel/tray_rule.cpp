#include "panel/tray_rule.h"

namespace vl {

void ApplyTrayRule(WindowUnit& window, int type) {
  if (type == 3) {
    window.SetVisible(true);
    window.SetPlacement(1);
    window.SetVisible(false);
  }
  if (type == 1) {
    if (window.GetVisible()) {
      window.SetVisible(false);
    } else {
      window.SetVisible(true);
      window.SetPlacement(1);
    }
  }
}

}  // namespace vl
