#pragma once
// Push buttons painted from the skin's "Buttons" object, a strip of five
// images: normal, pressed, disabled, hot and focused.
//
//   TSkinButton       plain push buttons: skin frame and caption
//   TSkinBitButton    glyph buttons: frame, glyph (a strip or an image list,
//                     or a picture property) and caption in their layout
//   TSkinMenuButton   drop-down buttons: frame, caption and a down arrow
//   TSkinSpeedButton  windowless speed buttons, with Down and Flat
//
// Each draws into its back buffer and copies it to the screen once.
#include <memory>
#include <string>

#include "skin/controls/SkinControl.h"

class TPopupMenu;

// Frames of the "Buttons" strip.
enum TSkinButtonState { sbNormal = 1, sbPressed = 2, sbDisabled = 3, sbHot = 4, sbFocused = 5 };

class TSkinButton : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  void InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                   bool change_colour) override;
  void InitWindow(HWND window, TSkinData& data, TWinSkinForm& form) override;
  void InitGraphic(TGraphicControl& control, TWinSkinForm& form, TSkinData& data) override;

  // The parent's background under the button instead of the skin colour.
  bool Transparent() const { return transparent_; }

 protected:
  bool BeforeMessage(TMessage& m) override;
  void AfterMessage(TMessage& m) override;
  void DrawTo(HDC dc, const TRect& rect) override;

  // The frame of the strip to show now.
  virtual TSkinButtonState State() const;
  // Whether the frame is drawn in this state (flat speed buttons).
  virtual bool DrawsFrame(TSkinButtonState) const { return true; }
  // Caption (and glyph) into the buffer, whose DC has the font selected.
  virtual void DrawContent(TSkinButtonState state);
  // The text colour of a state.
  TColor StateTextColour(TSkinButtonState state) const;
  // The click after a press that was released on the button.
  void ClickAfterPress();
  // `caption_` with its first "||" made a line break.
  void SplitCaption();
  // Composes the button of `size` in the buffer.
  bool Compose(int width, int height);
  // Whether the skin has the push-button images the button is drawn from.
  bool HasFace() const;

  bool transparent_ = false;
  // The left button went down on the button and the mouse is captured; it
  // shows pressed while the mouse is over it.
  bool mouse_pressed_ = false;
  bool pressed_inside_ = false;

 private:
  void SetUp();
  void CaptureLost();
};

class TSkinBitButton : public TSkinButton {
 public:
  using TSkinButton::TSkinButton;
  // A graphic property drawn whole in place of the glyph strip ("PngImage").
  void SetPictureProperty(std::string name) { picture_property_ = std::move(name); }
  const std::string& PictureProperty() const { return picture_property_; }

 protected:
  void DrawContent(TSkinButtonState state) override;
  // Speed buttons differ in the glyph frame and the margin.
  virtual int GlyphCell(TSkinButtonState state) const;
  virtual bool SpeedLayout() const { return false; }

 private:
  std::string picture_property_;
};

class TSkinMenuButton : public TSkinButton {
 public:
  using TSkinButton::TSkinButton;
  // The button's drop-down menu draws its items with the skin until
  // Restore.
  void InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                   bool change_colour) override;
  void Restore() override;

 protected:
  TSkinButtonState State() const override;
  void DrawContent(TSkinButtonState state) override;

 private:
  TPopupMenu* drop_down_ = nullptr;  // the menu given the skinned painter
  // Whether drop_down_ still exists: the program may free the menu before
  // the button is given back (the button keeps a pointer to it only).
  std::shared_ptr<const bool> drop_down_alive_;
};

class TSkinSpeedButton : public TSkinBitButton {
 public:
  using TSkinBitButton::TSkinBitButton;
  void Repaint() override;

 protected:
  bool BeforeMessage(TMessage& m) override;
  void AfterMessage(TMessage& m) override;
  void PaintWindow(HDC dc) override;
  TSkinButtonState State() const override;
  bool DrawsFrame(TSkinButtonState state) const override;
  void DrawContent(TSkinButtonState state) override;
  int GlyphCell(TSkinButtonState state) const override;
  bool SpeedLayout() const override { return true; }

 private:
  bool Down() const;
  bool painting_ = false;
};
