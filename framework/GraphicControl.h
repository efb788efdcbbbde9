#pragma once
// TGraphicControl: a control without a window of its own (speed buttons).
// It lives in its parent's client area: the parent paints it after itself
// (WM_PAINT with the DC in wParam, its origin moved to the control's
// top-left corner and clipped to it) and hands it the mouse messages that
// fall on it, in the control's own coordinates. A button that goes down on
// it keeps the mouse (the parent captures it) until it comes up, and the
// control hears CM_MOUSEENTER and CM_MOUSELEAVE as the mouse comes and goes.
//
// Like windowed controls, every message passes WindowProc, which starts as
// WndProc and can be replaced (the skin engine does that) and given back.
#include <windows.h>

#include <string>

#include "framework/Component.h"
#include "framework/Control.h"
#include "framework/Font.h"

class TGraphicControl : public TComponent {
 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;

  TWinControl* Parent() const { return parent_; }
  void SetParent(TWinControl* parent);

  // The bounds are 96-DPI units, as a windowed control's are.
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Where the control shows: the bounds scaled to the parent's DPI, in the
  // parent's client pixels (its painting and mouse work in these).
  TRect BoundsRect() const;
  void SetBounds(int left, int top, int width, int height);

  std::wstring Caption() const { return caption_; }
  void SetCaption(const std::wstring& caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // The parent's font; its colour is the control's own or the parent's.
  TFont& FontObject();
  HFONT Font() const;
  bool MouseInControl() const { return mouse_in_; }

  // Asks the parent to paint the control again (now, for Repaint).
  void Invalidate();
  void Repaint();

  TWndMethod WindowProc;
  LRESULT Perform(UINT msg, WPARAM wp, LPARAM lp);

  TNotifyEvent OnClick;
  virtual void Click();

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  virtual void WndProc(TMessage& message);
  // `dc` has its origin at the control's top-left corner.
  virtual void Paint(HDC) {}
  virtual void MouseDown(POINT, WPARAM) {}
  virtual void MouseMove(POINT, WPARAM) {}
  virtual void MouseUp(POINT, WPARAM) {}
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  // A control that covers all of its rectangle when it paints; the parent
  // then need not erase under it first.
  virtual bool Opaque() const { return false; }

 private:
  friend class TWinControl;
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  std::wstring caption_;
  bool enabled_ = true;
  bool visible_ = true;
  bool mouse_in_ = false;
  TFont font_;
};
