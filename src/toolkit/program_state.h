// State the toolkit keeps for the whole program (one GUI thread).
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/handles.h"
#include "toolkit/toolkit.h"

namespace vl {

class LoadedWindow;

struct ProgramState {
  HINSTANCE instance = nullptr;
  OwnedWindow hiddenOwner;
  bool mainLoopEntered = false;
  Handler atEnd = nullptr;
  bool ending = false;                     // EndProgram is taking the windows down
  bool replacing = false;                  // LoadWindow is replacing a destroy-pending window
  bool loadFailed = false;                 // the latest LoadWindow could not create its window
  std::vector<LoadedWindow*> loaded;       // every loaded window, in load order
  int handlerDepth = 0;                    // handlers running now (nested loops count)
  std::vector<std::unique_ptr<LoadedWindow>> graveyard;  // destroyed, freed outside handlers
  UINT taskbarCreated = 0;                 // registered "TaskbarCreated" message
  OwnedIcon appIconBig, appIconSmall;      // the application icon, loaded once
};

ProgramState& State();

// Runs an event handler: counts the depth (so destroyed windows are freed only once no handler
// can still be on the stack) and turns memory exhaustion into the fatal error report.
template <class F>
void RunHandler(F&& f) {
  ++State().handlerDepth;
  try {
    f();
  } catch (const std::bad_alloc&) {
    ReportFatalError("内存不足");
  }
  --State().handlerDepth;
}

// Frees destroyed windows when no handler is running.
void CollectGraveyard();
// Called once a loaded window's native window is gone: forgets it and ends the main loop when
// no window is left.
void WindowGone(LoadedWindow* window);
// Removes every notification-area icon the program still shows.
void RemoveAllTrayIcons();
// Tray callback and shell restart, for LoadedWindow's procedure.
void OnTrayCallback(LoadedWindow& window, LPARAM lp);
void ReAddTrayIcon(LoadedWindow& window);
void RemoveTrayIcon(LoadedWindow& window);

// Icons made from ICO data: the entry the toolkit's rule picks for `width`, made at that entry's
// own size. `secondWidth` > 0 tries a second width when the first gives nothing.
OwnedIcon MakeIconFromIco(Bytes ico, int width, int secondWidth = 0);

// Skin bookkeeping released at program end.
void ReleaseSkin();

// The dispatching part of a message loop: keyboard navigation for the window the message is
// meant for, then the usual translate and dispatch.
void DispatchOne(MSG& msg);

}  // namespace vl
