#pragma once
// TSkinTrackBar: a track bar whose channel and thumb come from the skin,
// through the control's custom-draw notifications: the control still lays
// out, erases and draws its ticks and focus itself. The channel is the
// skin's "Track" image (the "TRACKVERT" image standing up), its ends kept
// and its middle stretched; the thumb is the skin's thumb image for the
// control's shape (pointing to its ticks, or square with ticks on both
// sides), in the cell of its state: at rest 2, under the mouse 3, held
// down 4, disabled 5. Without a thumb image the thumb is outlined in the
// skin's ButtonShadow.
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinRender.h"

class TDataSkinObject;

class TSkinTrackBar : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;

  void InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                   bool change_colour) override;
  void InitWindow(HWND window, TSkinData& data, TWinSkinForm& form) override;
  void Restore() override;
  void SkinChanged() override;
  // The thumb's cell as it is drawn now (2 at rest, 3 hot, 4 held, 5
  // disabled).
  int ThumbCell() const;
  // The thumb image the control's shape asks for (null without one).
  const TDataSkinObject* ThumbObject() const;

 protected:
  bool BeforeMessage(TMessage& m) override;
  void AfterMessage(TMessage& m) override;

 private:
  LRESULT CustomDraw(const NMCUSTOMDRAW& draw);
  void DrawThumb(HDC dc);
  void DrawChannel(HDC dc);
  // `image` at (x, y) of `dc`, magenta left out when `transparent`, over
  // what the DC already shows.
  void PutImage(HDC dc, int x, int y, const TBitmap& image, bool transparent);
  RECT ThumbRect() const;
  bool Vertical() const;
  void SetHot(bool hot);
  void RedrawThumb();
  // Gives the thumb its length at the window's DPI where the system left
  // it at its 96-DPI length; GiveThumbBack puts the system's length (and
  // style) back.
  void FitThumb();
  void GiveThumbBack();

  // The last channel and thumb images made, kept while they fit: a moving
  // thumb repaints the bar many times at the same sizes.
  struct TMadeImage {
    const TDataSkinObject* object = nullptr;
    int width = 0, height = 0, cell = 0, dpi = 0;
    TBitmap image;
  };
  const TBitmap& Made(TMadeImage& made, const TDataSkinObject& object, int width, int height,
                      int cell, const TSkinMargins& margins, int frames);
  TMadeImage channel_;
  TMadeImage thumb_;
  // The thumb length the control had of its own, while ours is set.
  bool thumb_taken_ = false;
  bool fixed_length_added_ = false;
  int own_thumb_length_ = 0;
};
