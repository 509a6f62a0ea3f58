// What the reliability tests read from the running program besides the Windows API: the
// toolkit's own count of live native handles, and the run's size from the environment.
#pragma once
#include <windows.h>

#include <string>

namespace vt {

// The toolkit's handle kinds, in its own order; All is every kind together.
enum class Handles { All = -1, Windows = 0, Gdi = 1, Icons = 2, Hooks = 3, Dcs = 4 };
inline constexpr int kHandleKinds = 5;

// The live handles the program that owns `window` holds in its handle owners, as that window
// answers the registered message "Veilora.LiveHandles"; -1 when it does not answer.
long LiveHandlesOf(HWND window, Handles kind = Handles::All);

// An integer from the environment, or `fallback` when it is unset or not a number.
int EnvInt(const char* name, int fallback);
std::string EnvText(const char* name, const std::string& fallback);

// An ordinary window of the test's own in a corner of the screen, kept at the top of the normal
// band as a real desktop always has one: only then does Wine take a window out of the top-most
// band when the program asks (the setup window does, while its about box is open).
class OrdinaryWindow {
 public:
  OrdinaryWindow();
  ~OrdinaryWindow();
  OrdinaryWindow(const OrdinaryWindow&) = delete;
  OrdinaryWindow& operator=(const OrdinaryWindow&) = delete;
  void Raise() const;

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace vt
