// Loading, destroying and moving window units, and the window properties.
#include <windows.h>

#include <algorithm>

#include "toolkit/geometry.h"
#include "toolkit/loaded_window.h"
#include "toolkit/program_state.h"
#include "toolkit/toolkit.h"

namespace vl {
namespace {

void Forget(WindowUnit& unit, LoadedWindow* window) {
  auto& list = State().loaded;
  std::erase(list, window);
  if (unit.loaded == window) unit.loaded = nullptr;
}

}  // namespace

bool LoadWindow(WindowUnit& unit, bool modal) {
  ProgramState& s = State();
  if (unit.loaded && !unit.loaded->destroyPending) {
    HWND h = unit.loaded->hwnd();
    if (::IsIconic(h))
      ::ShowWindow(h, SW_RESTORE);
    else
      ::SetActiveWindow(h);
    return true;
  }
  if (unit.loaded) {
    // A window waiting for its deferred destruction goes now; a fresh one takes its place, so
    // this is not the moment to end the main loop even if it was the last window.
    s.replacing = true;
    unit.loaded->DestroyNow();
    s.replacing = false;
  }

  auto* window = new LoadedWindow(unit, unit.definition());
  unit.loaded = window;
  const std::uint64_t instance = ++unit.instance;
  s.loaded.push_back(window);

  const WindowDef& props = window->props();
  HWND owner = nullptr;
  if (modal || !props.showInTaskbar) owner = s.hiddenOwner.get();
  s.loadFailed = !window->Create(owner);
  if (s.loadFailed) {
    // A native window that died during creation has already gone to the graveyard.
    Forget(unit, window);
    auto& grave = s.graveyard;
    const bool buried = std::any_of(grave.begin(), grave.end(), [&](auto& w) { return w.get() == window; });
    if (!buried) delete window;
    return false;
  }

  if (Handler created = unit.events.created) RunHandler(created);
  if (unit.loaded != window || unit.instance != instance) return true;  // the handler replaced it

  const WindowDef& now = window->props();
  if (now.visible) {
    const int show = now.placement == 2 ? SW_SHOWMINIMIZED : now.placement == 3 ? SW_SHOWMAXIMIZED : SW_SHOW;
    ::ShowWindow(window->hwnd(), show);
  }
  if (!modal) return true;

  window->DisableOthers();
  MSG msg;
  while (unit.loaded && unit.instance == instance) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      // WM_QUIT belongs to the main loop: hand it back.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) break;
    DispatchOne(msg);
  }
  return true;
}

void DestroyWindow(WindowUnit& unit) {
  LoadedWindow* w = unit.loaded;
  if (!w || !w->hwnd()) return;
  w->destroyPending = true;
  ::PostMessageW(w->hwnd(), kDestroyMessage, 0, 0);
}

void MoveWindowTo(WindowUnit& unit, int left, int top, int width, int height) {
  if (!unit.loaded) return;
  HWND h = unit.loaded->hwnd();
  RECT rc{};
  if (!::GetWindowRect(h, &rc)) return;
  const Rect current{rc.left, rc.top, rc.right, rc.bottom};
  if (auto target = MoveTarget(current, left, top, width, height))
    ::MoveWindow(h, target->left, target->top, target->width(), target->height(), TRUE);
}

std::intptr_t GetWindowHandle(WindowUnit& unit) {
  return unit.loaded ? reinterpret_cast<std::intptr_t>(unit.loaded->hwnd()) : 0;
}

int GetScreenWidth() { return ::GetSystemMetrics(SM_CXSCREEN); }
int GetScreenHeight() { return ::GetSystemMetrics(SM_CYSCREEN); }

void WindowGone(LoadedWindow* window) {
  ProgramState& s = State();
  Forget(window->unit(), window);
  s.graveyard.emplace_back(window);
  if (!s.ending && !s.replacing && s.loaded.empty() && s.mainLoopEntered) ::PostQuitMessage(0);
}

void CollectGraveyard() {
  ProgramState& s = State();
  if (s.handlerDepth == 0) s.graveyard.clear();
}

// Window properties. Each write is kept with the loaded window and takes effect at once.

void WindowUnit::SetVisible(bool visible) {
  if (!loaded) return;
  loaded->props().visible = visible;
  ::ShowWindow(loaded->hwnd(), visible ? SW_SHOW : SW_HIDE);
}

bool WindowUnit::GetVisible() { return loaded && ::IsWindowVisible(loaded->hwnd()); }

void WindowUnit::SetBackColor(Colour colour) {
  if (!loaded) return;
  loaded->props().backColour = colour;
  loaded->ApplyBackColor();
}

void WindowUnit::SetControlButtons(bool on) {
  if (!loaded) return;
  loaded->props().controlButtons = on;
  loaded->ApplyCaptionStyle();
}

void WindowUnit::SetPlacement(int placement) {
  if (!loaded) return;
  loaded->props().placement = ClampPick(placement, 0, 3);
  if (::IsWindowVisible(loaded->hwnd())) loaded->ApplyPlacement();
}

void WindowUnit::SetMovable(bool movable) {
  if (!loaded) return;
  loaded->props().movable = movable;
  loaded->ApplyMovable();
}

void WindowUnit::SetShowInTaskbar(bool show) {
  // Decides the owner at the next creation only.
  if (loaded) loaded->props().showInTaskbar = show;
}

void WindowUnit::SetAlwaysOnTop(bool onTop) {
  if (!loaded) return;
  loaded->props().alwaysOnTop = onTop;
  loaded->ApplyAlwaysOnTop();
  if (onTop) return;
  // Taking one window out of the top-most band must not take the others with it.
  for (LoadedWindow* other : State().loaded)
    if (other != loaded && other->hwnd() && other->props().alwaysOnTop && !other->props().showInTaskbar)
      ::SetWindowPos(other->hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

// Controls, addressed by name.

namespace {
Control* Find(WindowUnit* unit, const char* name) {
  return unit->loaded ? unit->loaded->FindControl(name) : nullptr;
}
}  // namespace

void ControlRef::SetVisible(bool visible) const {
  if (Control* c = Find(unit_, name_)) c->SetVisible(visible);
}
bool ControlRef::GetVisible() const {
  Control* c = Find(unit_, name_);
  return c && ::IsWindowVisible(c->hwnd());
}
void ControlRef::SetCaption(const std::string& text) const {
  if (Control* c = Find(unit_, name_)) c->SetCaption(text);
}
std::string ControlRef::GetCaption() const {
  Control* c = Find(unit_, name_);
  return c ? c->GetCaption() : std::string();
}
void ControlRef::SetPicture(Bytes picture) const {
  if (Control* c = Find(unit_, name_)) c->SetPicture(picture);
}
void ControlRef::SetPosition(int position) const {
  if (Control* c = Find(unit_, name_)) c->SetPosition(position);
}
int ControlRef::GetPosition() const {
  Control* c = Find(unit_, name_);
  return c ? c->GetPosition() : 0;
}
Colour ControlRef::GetColor() const {
  Control* c = Find(unit_, name_);
  return c ? c->GetColor() : 0;
}
void ControlRef::SetColor(Colour colour) const {
  if (Control* c = Find(unit_, name_)) c->SetColor(colour);
}
std::intptr_t ControlRef::Handle() const {
  Control* c = Find(unit_, name_);
  return c ? reinterpret_cast<std::intptr_t>(c->hwnd()) : 0;
}

}  // namespace vl
