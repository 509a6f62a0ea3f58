#include "app/startup.h"

#include "app/globals.h"
#include "setup/setup_window.h"
#include "toolkit/toolkit.h"

namespace vl {

int StartUp() {
  InitToolkit();
  InitGlobals();
  SetAtEndRoutine(ReleaseGlobals);
  LoadStartWindow(SetupWindow);
  RunMessageLoop();
  return 0;
}

}  // namespace vl
