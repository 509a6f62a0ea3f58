// Base of the eight control kinds: one object per control of a loaded window, owning its native
// child window and whatever GDI objects it draws with.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "toolkit/definition.h"
#include "toolkit/handles.h"
#include "toolkit/toolkit.h"

namespace vl {

class LoadedWindow;

class Control {
 public:
  Control(LoadedWindow& window, ControlDef def, const ControlEvents* events)
      : window_(window), def_(std::move(def)), events_(events) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // Creates the native child window at the defined place; false when Windows refuses.
  bool Create(HWND parent, int id);

  HWND hwnd() const { return hwnd_.get(); }
  const ControlDef& def() const { return def_; }
  const std::string& name() const { return def_.name; }

  // Property writes and reads; a kind ignores what it does not have.
  virtual void SetCaption(const std::string& text);
  virtual std::string GetCaption() const { return def_.caption; }
  virtual void SetPicture(Bytes) {}
  virtual void SetPosition(int) {}
  virtual int GetPosition() const { return 0; }
  virtual Colour GetColor() const { return 0; }
  virtual void SetColor(Colour) {}
  void SetVisible(bool visible);

  // Notifications the parent window passes on (WM_COMMAND codes, WM_HSCROLL/WM_VSCROLL codes).
  virtual void OnCommand(WORD) {}
  virtual void OnScroll(WORD) {}
  // WM_CTLCOLOR* for native controls: a brush, or null for the default.
  virtual HBRUSH OnCtlColor(HDC) { return nullptr; }

  // The native window was destroyed (with its parent, or by itself).
  void OnNativeDestroyed() { hwnd_.Forget(); }

 protected:
  // Class name, styles and extended styles of the native window.
  struct NativeClass {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
  };
  virtual NativeClass Native() const = 0;
  // Runs once the native window exists (set ranges, fonts, regions ...).
  virtual void AfterCreate() {}
  // Window procedure of the toolkit's own kinds (those created with kOwnClass).
  virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);

  void RaiseClicked();
  void RaisePositionChanged();

  // The control's font: from its stored LOGFONT, or the default GUI font.
  HFONT Font() const;
  // Border codes shared by the kinds: extended and plain style bits.
  static void BorderStyles(int border, DWORD& style, DWORD& exStyle);

  LoadedWindow& window_;
  ControlDef def_;
  const ControlEvents* events_;
  OwnedWindow hwnd_;
  OwnedFont font_;

 public:
  static constexpr const wchar_t* kOwnClass = L"VeiloraControl";

 private:
  static LRESULT CALLBACK OwnProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static void RegisterOwnClass();
};

std::unique_ptr<Control> MakeControl(LoadedWindow& window, const ControlDef& def,
                                     const ControlEvents* events);

// Fills a rectangle with a colour; kDefaultColour means the button face.
void FillColour(HDC dc, const RECT& rc, Colour colour);

}  // namespace vl
