// A Windows function the system calls directly, recorded by library and name and bound at its
// first call, then kept. A function the library lacks ends the program with the fatal error report.
#pragma once
#include "toolkit/toolkit.h"

#if defined(_WIN32) && !defined(_WIN64)
#define VL_WINAPI __attribute__((stdcall))
#else
#define VL_WINAPI
#endif

namespace vl {

template <class Fn>
class DeclaredFunction {
 public:
  constexpr DeclaredFunction(const char* library, const char* name) : library_(library), name_(name) {}

  template <class... Args>
  auto operator()(Args... args) {
    if (!fn_) fn_ = reinterpret_cast<Fn>(BindDeclaredFunction(library_, name_));
    return fn_(args...);
  }

 private:
  const char* library_;
  const char* name_;
  Fn fn_ = nullptr;
};

}  // namespace vl
