// The window toolkit as the system's handlers see it: window units with their properties and
// commands, controls addressed by designer name, and the program's start and end.
// Handlers include only this header; the toolkit alone talks to Win32.
//
// Addressing a unit that is not loaded, or a control name the window does not have, is safe:
// writes and commands do nothing, reads give 0 / false / an empty value, GetWindowHandle gives 0.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/bytes.h"
#include "toolkit/definition.h"

namespace vl {

class LoadedWindow;
struct WindowUnit;

using Handler = void (*)();
// A close handler may answer true, false or nothing (std::nullopt); only an explicit false keeps
// the window open.
using CloseHandler = std::optional<bool> (*)();
using TrayHandler = void (*)(int type);

struct ControlEvents {
  const char* control = "";
  Handler clicked = nullptr;
  Handler positionChanged = nullptr;
};

struct WindowEvents {
  Handler created = nullptr;
  CloseHandler canClose = nullptr;
  TrayHandler trayEvent = nullptr;
  std::vector<ControlEvents> controls;
};

// A control of a unit, resolved by name at every call.
class ControlRef {
 public:
  ControlRef(WindowUnit& unit, const char* name) : unit_(&unit), name_(name) {}

  void SetVisible(bool visible) const;
  bool GetVisible() const;
  void SetCaption(const std::string& text) const;
  std::string GetCaption() const;
  void SetPicture(Bytes picture) const;
  void SetPosition(int position) const;
  int GetPosition() const;
  Colour GetColor() const;
  void SetColor(Colour colour) const;
  // The native handle of the control (0 when absent); for tests and diagnostics.
  std::intptr_t Handle() const;

 private:
  WindowUnit* unit_;
  const char* name_;
};

struct WindowUnit {
  const char* name;
  WindowDef (*definition)();
  WindowEvents events;

  // Owned by the toolkit: the loaded instance, or null. A counter tells instances apart.
  LoadedWindow* loaded = nullptr;
  std::uint64_t instance = 0;

  ControlRef operator[](const char* control) { return ControlRef(*this, control); }

  void SetVisible(bool visible);
  bool GetVisible();
  void SetBackColor(Colour colour);
  void SetControlButtons(bool on);
  void SetPlacement(int placement);
  void SetMovable(bool movable);
  void SetShowInTaskbar(bool show);
  void SetAlwaysOnTop(bool onTop);
  bool IsLoaded() const { return loaded != nullptr; }
};

// Window commands.
bool LoadWindow(WindowUnit& unit, bool modal);
void DestroyWindow(WindowUnit& unit);
void MoveWindowTo(WindowUnit& unit, int left, int top, int width, int height);
std::intptr_t GetWindowHandle(WindowUnit& unit);
int GetScreenWidth();
int GetScreenHeight();

// Skin for the standard push buttons: 1 blue, 2 olive, 3 silver; any other value removes it.
int ApplySkin(int style);

// Notification-area icon of a window, made from ICO data; data that gives no icon removes it.
void SetTrayIcon(WindowUnit& unit, Bytes iconData, const std::string& tip);

// Program shell.
void InitToolkit();
void SetAtEndRoutine(Handler routine);
void LoadStartWindow(WindowUnit& unit);
void RunMessageLoop();
[[noreturn]] void EndProgram(int exitCode);
[[noreturn]] void ReportFatalError(const std::string& message);

// Runs the system's start routine as a Windows GUI program and ends the process afterwards:
// the exit code is that of the WM_QUIT that ended the main loop.
[[noreturn]] void RunProgram(int (*startUp)());

// A Windows function the system calls itself, recorded by library and function name and bound
// at its first call; a missing one ends the program through the fatal error report.
void* BindDeclaredFunction(const char* library, const char* function);

}  // namespace vl
