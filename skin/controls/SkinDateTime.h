#pragma once
// TSkinDateTime: a date-time picker with a border like a skinned edit's (the
// skin's ButtonShadow outside, the field colour inside), its field in the
// skin's content colours (Window under WindowText; the selected part in
// Hilight under HilightText), its calendar in the same colours, and a
// TArrowButton laid over the picker's own drop-down button. The picker still
// paints its field itself, into the control's back buffer, and the colours
// are moved there before the one copy to the screen.
//
// A picker that chooses with up-down arrows (times among them) has the
// system's up-down control as a child: while the picker is skinned, that
// child is drawn by a TSkinUpDown this object owns, at least as wide as the
// system's scroll arrows at the picker's DPI, and it gets its look and the
// width the picker gives it back with the skin.
//
// TArrowButton: a small window of ours, a child of the picker, drawn from
// the skin's combo button (or the built arrow image). A press on it is
// handed to the picker at the same place, so the picker opens its real
// calendar, and the picker gets the focus.
#include <memory>

#include "skin/controls/SkinControl.h"

class TSkinDateTime;
class TSkinUpDown;

class TArrowButton {
 public:
  TArrowButton(TSkinDateTime& owner, HWND picker);
  ~TArrowButton();
  TArrowButton(const TArrowButton&) = delete;
  TArrowButton& operator=(const TArrowButton&) = delete;

  HWND Handle() const { return window_; }
  bool Hot() const { return hot_; }
  // Lays the arrow over the picker's button again (after a resize).
  void Place();
  void Invalidate() const;

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void Paint(HDC dc);
  // The cell of the combo-button strips: 1 normal, 2 open, 3 disabled,
  // 4 hot.
  int Cell() const;

  TSkinDateTime& owner_;
  HWND picker_;
  HWND window_ = nullptr;
  int size_;
  bool hot_ = false;
  TBackBuffer buffer_;
};

class TSkinDateTime : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinDateTime() override;

  void InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                   bool change_colour) override;
  void InitWindow(HWND window, TSkinData& data, TWinSkinForm& form) override;
  void Restore() override;
  void SkinChanged() override;

  TArrowButton* Arrow() const { return arrow_.get(); }
  // Whether the skin gives an image the arrow can be drawn from.
  bool HasArrowImage() const;

 protected:
  bool BeforeMessage(TMessage& m) override;
  void AfterMessage(TMessage& m) override;
  void DrawTo(HDC dc, const TRect& rect) override;

 private:
  friend class TArrowButton;
  void Attached();
  void MakeArrow();
  // The picker's up-down child: skinned by an object of ours, widened to
  // the DPI's arrow width, and given back.
  void TakeSpin();
  void PlaceSpin();
  void GiveSpinBack();
  // Our painting and the picker's stay off the children laid over it.
  void ClipChildren();
  void TakeCalendarColours();
  void GiveCalendarColoursBack();
  // The field painted by the picker into the back buffer, in the skin's
  // colours, copied to `dc`.
  void PaintField(HDC dc);
  bool HasContentColours() const;

  std::unique_ptr<TArrowButton> arrow_;
  std::unique_ptr<TSkinUpDown> spin_;
  // A spin given back stops skinning at once but is freed only with this
  // object or at the next lending: its own procedure may be what led here.
  std::unique_ptr<TSkinUpDown> retired_spin_;
  bool spin_widened_ = false;
  bool clip_children_added_ = false;
  bool calendar_taken_ = false;
  COLORREF old_calendar_[6] = {};
};
