// System functions needed only after a user action (the notification-area icon, the colour
// dialog, the web link), bound at their first call. Imported, shell32 and comdlg32 would be loaded
// at every start with all they bring in (the print spooler among them): on Wine several MiB of
// working set and a third of the start time, for windows that may never use them.
#pragma once
#include <windows.h>

namespace vl {

// The function, or null when the library or the function cannot be had. Like an import, the
// library stays loaded until the process ends, so there is no handle to give back.
template <class Fn>
Fn LateBound(const wchar_t* library, const char* function) {
  HMODULE module = ::GetModuleHandleW(library);
  if (!module) module = ::LoadLibraryW(library);
  FARPROC proc = module ? ::GetProcAddress(module, function) : nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(proc));
}

}  // namespace vl
