#pragma once
// TSkinTab: page controls and tab controls drawn from the skin's "Tabs"
// strip (cell 1 a tab at rest, 2 the selected tab, 4 a tab of a disabled
// control, 5 the selected tab while the control has the focus) with the
// page frame around the display area from the Tabs object's "Border" image
// (Style 0) or the "Tab.Pane" image (Style 1). The strip is drawn lying
// along the top and turned for tabs at the other sides: flipped for the
// bottom, a quarter turn either way for the left and right, and so is the
// frame image. A page control with Tag 7777 and tabs at the top shows a
// close box in each tab; a click on it asks the form (SKM_CLOSETAB) and
// closes the page unless the form answers non-zero. The control's own tab
// scroller is skinned as spin buttons and never painted over.
//
// The system leaves a band of 4 pixels between its display area and the
// frame's outer edge whatever the DPI; the page frame's edges, scaled with
// the DPI, are wider above 96 DPI. While a frame is drawn the control
// answers TCM_ADJUSTRECT with a display area set in by the difference, so
// pages (and whatever the control's children fill) lie inside the scaled
// frame instead of over it.
//
// TSkinTabBtn: tab and page controls whose tabs look like buttons, each
// tab drawn from the skin's "Buttons" strip (cell 2 for the selected one).
#include <windows.h>

#include <vector>

#include "framework/Bitmap.h"
#include "skin/controls/ScaledCells.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinRender.h"

class TSkinUpDown;
class TDataSkinObject;

// The side the tabs stand on, read from the window style.
enum TTabSide { tsTop = 0, tsBottom = 1, tsLeft = 2, tsRight = 3 };
TTabSide TabSideOf(DWORD style);

// Page controls (framework or foreign) that ask for close boxes carry this
// tag.
inline constexpr int kCloseBoxTag = 7777;

// A font's text cell: its height, and the part of it no letter inks (the
// internal leading above the capitals).
struct TTabTextCell {
  int height = 0;
  int leading = 0;
};

class TSkinTabBase : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;

  // The skinning object of the tab control's own tab scroller (null until
  // the control has one).
  TSkinUpDown* Scroller() const;

 protected:
  // Skins the control's "msctls_updown32" child once it has one.
  void FindScroller();
  // The client point of a mouse message.
  static POINT MessagePoint(const TMessage& m);
  // The text and image of tab `index`; false when it has none.
  bool ReadTab(int index, std::wstring& text, int& image) const;
  // The display area of the control at `rect` as the control answers it,
  // grown by `reach` on every side.
  RECT DisplayArea(const TRect& rect, int reach) const;
  // Copies `buffer_` to `dc`, leaving the scroller alone.
  void CopyAroundScroller(HDC dc, const TRect& rect);
  // A dotted rectangle in `colour` around `r`, for the focused tab.
  static void DrawFocusFrame(HDC dc, const RECT& r, COLORREF colour);
  // Whether the control has the keyboard focus and the system shows focus
  // cues in its window now.
  bool ShowsFocus() const;
  bool ScrollerVisible() const;

  // The scroller once found; its skinning object is in the engine's list
  // (looked up there, as the engine frees it when the window goes).
  HWND scroller_window_ = nullptr;
};

class TSkinTab : public TSkinTabBase {
 public:
  using TSkinTabBase::TSkinTabBase;

  void InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                   bool change_colour) override;
  void InitWindow(HWND window, TSkinData& data, TWinSkinForm& form) override;
  void SkinChanged() override;

  TTabSide Side() const { return side_; }
  bool CloseBoxes() const { return close_boxes_; }
  // Where each tab's close box was drawn last (client coordinates).
  const std::vector<RECT>& CloseRects() const { return close_rects_; }
  // The images as turned for the tabs' side (for comparisons).
  const TBitmap& TabImage() const { return tab_image_; }
  const TBitmap& PaneImage() const { return pane_image_; }
  TSkinMargins PaneMargins() const;
  // How far the page frame reaches out of the display area the control
  // answers: the system's 4 pixels, scaled to the DPI while a frame is
  // drawn.
  int FrameReach() const;
  // The tab under the mouse, -1 none.
  int HotTab() const { return hot_; }

 protected:
  bool BeforeMessage(TMessage& m) override;
  void AfterMessage(TMessage& m) override;
  void DrawTo(HDC dc, const TRect& rect) override;
  void Restore() override;

 private:
  void PrepareImages();
  void Prepare();
  // The "Tabs" object when it has an image, else null.
  const TDataSkinObject* TabsObject() const;
  void DrawStrip(const TRect& strip_area, const RECT& display, const TRect& rect);
  void DrawTab(int index, const RECT& r, int selected, bool focused, HIMAGELIST images);
  // True when the click was on a close box (it is then dealt with).
  bool CloseBoxClick(POINT p);
  // Pads the tabs for the control's DPI, the skin's edges and close
  // boxes, so their captions fit clear of the outline; the system's
  // padding comes back with Restore. After a change of font the tabs are
  // measured again even when the padding worked out is the same.
  void PadTabs(bool font_changed = false);
  void SetPadding(int across, int down);
  // How thick a tab must be for its caption to keep clear of the skin's
  // edges (0 without a Tabs image).
  int NeededThickness() const;
  // The control's font's text cell.
  TTabTextCell FontCell() const;
  // How thick the first tab is now (0 without tabs).
  int TabThickness() const;
  void FollowMouse(const TMessage& m);
  // Pixels the display area is set in beyond the system's (0 at 96 DPI and
  // without a frame).
  int ExtraReach() const;
  // Lays the control's pages out again when the display area it answers
  // changed since they were placed.
  void FollowReach();
  // Has the control place its pages in its display area again.
  void LayOutPages();

  std::vector<RECT> close_rects_;
  TTabSide side_ = tsTop;
  TBitmap tab_image_;
  TBitmap pane_image_;
  TBackBuffer strip_;
  TScaledCells cells_;
  bool close_boxes_ = false;
  bool padded_ = false;     // the tabs have our padding, not the system's
  POINT asked_{};           // the padding last worked out (along, across)
  bool padding_ = false;    // our own WM_SETFONT, which lays the tabs out, is on its way
  bool reach_on_ = false;   // the display area is set in (false once given back)
  int laid_out_extra_ = 0;  // the set-in last answered, which the pages were placed by
  int hot_ = -1;
};

class TSkinTabBtn : public TSkinTabBase {
 public:
  using TSkinTabBase::TSkinTabBase;

  void InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                   bool change_colour) override;
  void InitWindow(HWND window, TSkinData& data, TWinSkinForm& form) override;

 protected:
  bool BeforeMessage(TMessage& m) override;
  void DrawTo(HDC dc, const TRect& rect) override;
};
