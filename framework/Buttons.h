#pragma once
// Buttons with pictures: the windowless speed button (a tool button that
// can stay down, alone or as one of a group), the bit button (a push button
// with a glyph strip or an image from an image list beside its caption),
// and the menu button (a push button that drops its popup menu down).
//
// A glyph strip holds up to four equal cells side by side: normal, disabled,
// pressed and (speed buttons) down; its bottom-left pixel is the colour
// that is not drawn.
#include <windows.h>

#include "framework/ButtonLayout.h"
#include "framework/Graphic.h"
#include "framework/GraphicControl.h"
#include "framework/ImageList.h"
#include "framework/StdCtrls.h"

class TPopupMenu;

// Draws cell `cell` (from 1; the first when the strip has fewer) of the
// `frames` cells of `strip` at (x, y), its bottom-left pixel transparent and
// in grey when `grey`; scaled to `size` when one is given (a glyph shown at
// another DPI than 96), the transparent colour kept exact.
void DrawGlyphCell(HDC dc, int x, int y, const TBitmap& strip, int frames, int cell, bool grey,
                   TPoint size = {});
// The size `text` takes with DT_WORDBREAK in `width` pixels; (0, 0) for none.
TPoint MeasureCaption(HDC dc, const std::wstring& text, int width);

// The published names of TButtonLayout, in order.
std::vector<std::string> ButtonLayoutNames();
// Publishes a glyph button's "Glyph", "NumGlyphs", "Layout", "Margin" and
// "Spacing" (the fields live as long as the table is used).
void PublishGlyphLayout(TPropertyTable& table, TGraphic& glyph, int& num_glyphs,
                        TButtonLayout& layout, int& margin, int& spacing);

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* owner);

  // Down stays set only on a button of a group (GroupIndex > 0); setting it
  // raises the other buttons of the group.
  bool Down() const { return down_; }
  void SetDown(bool down);
  int GroupIndex() const { return group_index_; }
  void SetGroupIndex(int index);
  // A button of a group that may be raised again by a click.
  bool AllowAllUp = false;
  // A flat button shows its frame only under the mouse or while down.
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);

  TGraphic Glyph;
  int NumGlyphs = 1;
  TButtonLayout Layout = blGlyphLeft;
  int Margin = -1;
  int Spacing = 4;

  void Click() override;
  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void WndProc(TMessage& message) override;
  void Paint(HDC dc) override;
  void MouseDown(POINT point, WPARAM keys) override;
  void MouseMove(POINT point, WPARAM keys) override;
  void MouseUp(POINT point, WPARAM keys) override;
  void MouseEnter() override { Invalidate(); }
  void MouseLeave() override { Invalidate(); }
  bool Opaque() const override { return true; }

 private:
  bool Inside(POINT point) const;
  bool down_ = false;
  bool flat_ = false;
  int group_index_ = 0;
  bool pressed_ = false;  // the left button went down on it and is still down
  bool pressed_inside_ = false;
};

// What an owner-drawn push button is asked to draw: a back buffer of the
// button's size with its frame and font, and its state.
struct TButtonFace {
  HDC dc = nullptr;
  int width = 0;
  int height = 0;
  bool pressed = false;
  bool focused = false;
  bool disabled = false;
  bool show_focus = true;         // the system shows focus rectangles now
  bool show_accelerators = true;  // and accelerator underlines
};

// A push button the program draws itself: the frame of a push button, then
// its own content.
class TOwnerDrawButton : public TButton {
 public:
  using TButton::TButton;

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  virtual void DrawFace(const TButtonFace& face) = 0;

 private:
  void DrawItem(const DRAWITEMSTRUCT& item);
};

class TBitBtn : public TOwnerDrawButton {
 public:
  explicit TBitBtn(TComponent* owner);

  TGraphic Glyph;
  int NumGlyphs = 1;
  TButtonLayout Layout = blGlyphLeft;
  int Margin = -1;
  int Spacing = 4;
  // Instead of a glyph: image ImageIndex of Images (borrowed), and
  // DisabledIndex (or ImageIndex in grey) while disabled.
  const TImageList* Images = nullptr;
  int ImageIndex = -1;
  int DisabledIndex = -1;

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void DrawFace(const TButtonFace& face) override;
};

class TMenuButton : public TOwnerDrawButton {
 public:
  explicit TMenuButton(TComponent* owner);

  // The menu that drops down below the button when it is clicked (borrowed).
  TPopupMenu* DropdownMenu = nullptr;
  void Click() override;

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void DrawFace(const TButtonFace& face) override;
};
