// SliderBar: a standard trackbar. The control keeps its own copy of every setting; the position
// read back is the one last stored, which only a write or a user movement changes.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "toolkit/controls/kinds.h"
#include "toolkit/geometry.h"

namespace vl {
namespace {

constexpr int kMaxValue = 32767;

class SliderBar final : public Control {
 public:
  SliderBar(LoadedWindow& w, const ControlDef& d, const ControlEvents* e) : Control(w, d, e) {
    def_.minimum = ClampPick(def_.minimum, 0, kMaxValue);
    def_.maximum = ClampPick(def_.maximum, 0, kMaxValue);
    def_.position = ClampPick(def_.position, 0, kMaxValue);
    def_.lineSize = ClampPick(def_.lineSize, 1, kMaxValue);
    def_.pageSize = ClampPick(def_.pageSize, 1, kMaxValue);
    def_.tickFrequency = ClampPick(def_.tickFrequency, 0, kMaxValue);
    def_.tickMarks = ClampPick(def_.tickMarks, 0, 3);
    def_.vertical = ClampPick(def_.vertical, 0, 1);
    def_.selectionStart = ClampPick(def_.selectionStart, 0, kMaxValue);
    def_.selectionLength = ClampPick(def_.selectionLength, 0, kMaxValue);
    def_.border = ClampPick(def_.border, 0, 5);
  }

  void SetPosition(int position) override {
    def_.position = ClampPick(position, 0, kMaxValue);
    // The trackbar reports nothing for a position set this way, so no PositionChanged follows.
    if (HWND h = hwnd()) ::SendMessageW(h, TBM_SETPOS, TRUE, InRange(def_.position));
  }

  int GetPosition() const override { return def_.position; }

  void OnScroll(WORD code) override {
    if (code == TB_ENDTRACK) return;
    def_.position = static_cast<int>(::SendMessageW(hwnd(), TBM_GETPOS, 0, 0));
    RaisePositionChanged();
  }

 protected:
  NativeClass Native() const override {
    DWORD style = TBS_AUTOTICKS, ex = 0;
    const bool vertical = def_.vertical == 1;
    if (vertical) style |= TBS_VERT;
    switch (def_.tickMarks) {
      case 0: style |= TBS_NOTICKS; break;
      case 1: style |= vertical ? TBS_LEFT : TBS_TOP; break;
      case 2: style |= vertical ? TBS_RIGHT : TBS_BOTTOM; break;
      default: style |= TBS_BOTH; break;
    }
    if (def_.selectionShown) style |= TBS_ENABLESELRANGE;
    BorderStyles(def_.border, style, ex);
    return {TRACKBAR_CLASSW, style, ex};
  }

  void AfterCreate() override {
    HWND h = hwnd();
    ::SendMessageW(h, TBM_SETRANGEMIN, FALSE, Low());
    ::SendMessageW(h, TBM_SETRANGEMAX, FALSE, High());
    ::SendMessageW(h, TBM_SETPOS, FALSE, InRange(def_.position));
    ::SendMessageW(h, TBM_SETLINESIZE, 0, Step(def_.lineSize));
    ::SendMessageW(h, TBM_SETPAGESIZE, 0, Step(def_.pageSize));
    ::SendMessageW(h, TBM_SETTICFREQ, Step(def_.tickFrequency), 0);
    if (def_.selectionShown) {
      ::SendMessageW(h, TBM_SETSELSTART, FALSE, InRange(def_.selectionStart));
      ::SendMessageW(h, TBM_SETSELEND, FALSE, InRange(def_.selectionStart + def_.selectionLength));
    }
    ::InvalidateRect(h, nullptr, TRUE);
  }

 private:
  int Low() const { return std::min(def_.minimum, def_.maximum); }
  int High() const { return std::max(def_.minimum, def_.maximum); }
  int InRange(int v) const { return std::clamp(v, Low(), High()); }
  // Steps are at least 1 and at most the width of the range (1 for an empty range).
  int Step(int v) const { return std::clamp(v, 1, std::max(1, High() - Low())); }
};

}  // namespace

std::unique_ptr<Control> MakeSliderBar(LoadedWindow& w, const ControlDef& d, const ControlEvents* e) {
  return std::make_unique<SliderBar>(w, d, e);
}

}  // namespace vl
