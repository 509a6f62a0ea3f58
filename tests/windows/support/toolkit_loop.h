// Pumping messages in a test the way the toolkit's own loops do: keyboard navigation through the
// toolkit's dispatch, destroyed windows freed between messages.
#pragma once
#include <windows.h>

#include "toolkit/program_state.h"

namespace vt {

inline void RunLoop(DWORD ms) {
  const DWORD start = ::GetTickCount();
  do {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      vl::DispatchOne(msg);
      vl::CollectGraveyard();
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  } while (::GetTickCount() - start < ms);
}

template <class Pred>
bool RunUntil(Pred pred, DWORD ms = 3000) {
  const DWORD start = ::GetTickCount();
  while (!pred()) {
    if (::GetTickCount() - start > ms) return false;
    RunLoop(10);
  }
  return true;
}

}  // namespace vt
