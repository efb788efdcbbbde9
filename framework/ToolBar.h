#pragma once
// TToolBar: the common tool bar, a row of buttons (optionally with images
// from an image list) that raise their OnClick. Flat shows button frames
// only under the mouse. The owner may draw the bar's background and each
// button's face through the custom-draw events.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/BitmapWin32.h"
#include "framework/Control.h"
#include "framework/ImageList.h"

enum TToolButtonStyle { tbsButton, tbsCheck, tbsSeparator };

class TToolBar;

// One button of a tool bar; the tool bar owns it.
class TToolButton : public TComponent {
 public:
  TToolButton(TComponent* owner, TToolBar& bar, int index);

  int Index() const { return index_; }
  std::wstring Caption() const { return caption_; }
  int ImageIndex() const { return image_index_; }
  TToolButtonStyle Style() const { return style_; }
  // Check buttons stay down until clicked again.
  bool Down() const;
  void SetDown(bool down);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  // The button's rectangle in the tool bar.
  RECT BoundsRect() const;

  TNotifyEvent OnClick;
  void Click();

  void DescribeProperties(TPropertyTable& table) override;

 private:
  friend class TToolBar;
  TToolBar& bar_;
  int index_;
  std::wstring caption_;
  int image_index_ = -1;
  TToolButtonStyle style_ = tbsButton;
  bool down_ = false;
  bool enabled_ = true;
};

class TToolBar : public TWinControl {
 public:
  // Raised before the bar paints; `DefaultDraw` false keeps the bar from
  // painting its own background.
  using TCustomDrawEvent =
      std::function<void(TToolBar* Sender, HDC dc, const RECT& rect, bool& DefaultDraw)>;
  // Raised before each button paints, with its CDIS_... state; the handler
  // may change the colour of the caption, and sets `FrameDrawn` when it
  // drew the button's face, so the bar draws only the image and caption.
  using TCustomDrawButtonEvent =
      std::function<void(TToolBar* Sender, TToolButton& Button, HDC dc, const RECT& rect,
                         UINT state, COLORREF& TextColour, bool& FrameDrawn)>;

  explicit TToolBar(TComponent* owner);

  TToolButton& AddButton(const std::wstring& caption, int image_index = -1,
                         TToolButtonStyle style = tbsButton);
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  TToolButton& Buttons(int index) const { return *buttons_.at(static_cast<size_t>(index)); }

  // Borrowed; the bar shows copies of its images.
  const TImageList* Images() const { return images_; }
  void SetImages(const TImageList* images);
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);

  TCustomDrawEvent OnCustomDraw;
  TCustomDrawButtonEvent OnCustomDrawButton;

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  // The buttons measure themselves again in the font of the new DPI.
  void DpiChanged(int old_dpi, int new_dpi) override;
  void WndProc(TMessage& message) override;

 private:
  friend class TToolButton;
  void InsertButton(const TToolButton& button);
  LRESULT CustomDraw(NMTBCUSTOMDRAW& draw);

  std::vector<TToolButton*> buttons_;  // owned as components of the bar
  const TImageList* images_ = nullptr;
  THImageList image_handle_;
  bool flat_ = true;
};
