#pragma once
// Skinned scroll bars. Scrolling itself stays the system's: a small painted
// window, TWScrollbar, lies exactly over a native scroll bar (one of a
// control's two window scroll bars, or a whole scroll-bar control) and
// paints it from the skin's scroll-bar images. A press on it is handed to
// the native bar as if it had hit it, so the system's own tracking
// (repeating arrows, paging, thumb dragging and the scroll notifications)
// runs unchanged while the overlay mirrors its state.
//
//   TSkinScrollbar    a framework control with window scroll bars (memos,
//                     scroll boxes, list views), with a skinned border
//   TSkinScrollbarH   the same for a bare window
//   TSkinScControl    a framework scroll-bar control
//   TSkinListView     list views
#include <windows.h>

#include <memory>

#include "skin/controls/ContentBrushes.h"
#include "skin/controls/ScrollGeometry.h"
#include "skin/controls/SkinControl.h"

// What an overlay covers.
enum TScrollBarKind2 { skHorizontal = 0, skVertical = 1, skControl = 2 };

class TWScrollbar {
 public:
  // `host` is the skinned control the overlay belongs to (its skin data is
  // the host's).
  explicit TWScrollbar(TSkinControl& host);
  ~TWScrollbar();
  TWScrollbar(const TWScrollbar&) = delete;
  TWScrollbar& operator=(const TWScrollbar&) = delete;

  void BindControl(TWinControl& control, TScrollBarKind2 kind);
  void BindWindow(HWND window, TScrollBarKind2 kind);
  // Lays the overlay over the native bar (shown), or hides it when the bar
  // is not shown.
  void Place();
  // Takes the DPI of the target's window and the arrow length there.
  void FollowDpi();
  void HideBar();
  void Repaint();
  void SetEnabled(bool enabled);
  TScrollPart HitTest(POINT point) const;

  HWND Handle() const { return window_; }
  bool Shown() const { return shown_; }
  bool Vertical() const { return vertical_; }
  bool Pressed() const { return pressed_; }
  int HotPart() const { return hot_part_; }
  void SetHotPart(int part);
  int ArrowSize() const { return arrow_size_; }
  int BarLength() const { return bar_length_; }
  TThumbExtent Thumb() const { return thumb_; }
  // The bar in the target's client coordinates.
  const RECT& BarRectInTarget() const { return bar_in_target_; }
  HWND Target() const { return target_; }

 private:
  struct TBarInfo {
    RECT bar{};  // screen (window bars) or parent client (controls)
    TThumbExtent thumb;
    DWORD state = 0;
  };
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void Bind(HWND target, TScrollBarKind2 kind);
  bool Info(TBarInfo& info) const;
  void Paint(HDC dc);
  void Press(LPARAM lp);
  void Release(LPARAM lp);
  // The thumb to show: where the system says, or under the cursor while
  // it is being dragged.
  TThumbExtent ShownThumb(const TThumbExtent& reported) const;

  TSkinControl& host_;
  HWND window_ = nullptr;  // owned: destroyed with the overlay
  HWND target_ = nullptr;
  TWinControl* target_control_ = nullptr;
  TScrollBarKind2 kind_ = skHorizontal;
  bool vertical_ = false;
  int bar_length_ = 0;
  TThumbExtent thumb_;
  POINT bar_origin_{};
  POINT press_cursor_{};
  int press_thumb_start_ = 0;
  bool pressed_ = false;
  int hot_part_ = spNone;
  int arrow_size_ = 17;
  // The DPI of the target's window, which the bar's images are drawn for.
  int dpi_ = 96;
  RECT bar_in_target_{};
  bool shown_ = false;
  // The target is a window of its own (a dropped list): the overlay is a
  // popup it owns, placed in screen coordinates.
  bool over_popup_ = false;
  TBackBuffer buffer_;
};

// The two overlays over a control's window scroll bars.
class TScrollOverlays {
 public:
  // Binds a horizontal and a vertical overlay to the framework control, or
  // to the bare window when `control` is null.
  void Make(TSkinControl& host, TWinControl* control, HWND window);
  void Reset();
  void Place();
  void Hide();
  void SetEnabled(bool enabled);
  void RepaintShown();
  // WM_HSCROLL and WM_VSCROLL: the part being operated shows (the scroll
  // codes are part codes); false for other messages.
  bool Scrolled(const TMessage& m);
  // Repaints the shown overlays (vertical first), places those the target's
  // style asks for when `place_missing`, and fills the corner between two
  // shown ones with `face` in a DC of the target's whole window.
  void Paint(HDC window_dc, HWND target, TColor face, bool place_missing);
  TWScrollbar* Horz() const { return horz_.get(); }
  TWScrollbar* Vert() const { return vert_.get(); }

 private:
  std::unique_ptr<TWScrollbar> horz_;
  std::unique_ptr<TWScrollbar> vert_;
};

class TSkinScrollbar : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinScrollbar() override;

  virtual void AttachScrollHost(TWinControl& control, TSkinData& data, TWinSkinForm& form);
  void PlaceBars();
  void SkinChanged() override;
  void Restore() override;

  TWScrollbar* HorzBar() const { return bars_.Horz(); }
  TWScrollbar* VertBar() const { return bars_.Vert(); }
  bool DrawBorder() const { return draw_border_; }

 protected:
  bool BeforeMessage(TMessage& m) override;
  void AfterMessage(TMessage& m) override;
  void DrawTo(HDC dc, const TRect& rect) override;

 private:
  void PaintBorder(HDC dc);
  void TakeFixedColour();
  // Memos and other edits of many lines show the skin's content colours.
  TContentBrushes content_brushes_;

  TScrollOverlays bars_;
  bool draw_border_ = true;
  int fixed_colour_ = 0;
  bool fixed_changed_ = false;
};

class TSkinScrollbarH : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinScrollbarH() override;

  void InitWindow(HWND window, TSkinData& data, TWinSkinForm& form) override;
  void PlaceBars();
  void Restore() override;

  TWScrollbar* HorzBar() const { return bars_.Horz(); }
  TWScrollbar* VertBar() const { return bars_.Vert(); }

 protected:
  void AfterMessage(TMessage& m) override;
  void DrawTo(HDC dc, const TRect& rect) override;

 private:
  TScrollOverlays bars_;
};

class TSkinScControl : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinScControl() override;

  void InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                   bool change_colour) override;
  void Restore() override;
  TWScrollbar* Bar() const { return bar_.get(); }

 protected:
  void AfterMessage(TMessage& m) override;
  void DrawTo(HDC dc, const TRect& rect) override;

 private:
  std::unique_ptr<TWScrollbar> bar_;
};

class TSkinHeader;

// A list view also shows its rows in the skin's content colours (Window
// under WindowText) and gets its own colours back in Restore. Its column
// header is skinned by a TSkinHeader the list view's object owns and gives
// back with the rest.
struct TSkinColours;

// The colour a skinned list view rules its grid in: between the skin's
// content background and its content text.
TColor SkinGridColour(const TSkinColours& colours);

class TSkinListView : public TSkinScrollbar {
 public:
  explicit TSkinListView(TComponent* owner = nullptr);
  ~TSkinListView() override;
  void AttachScrollHost(TWinControl& control, TSkinData& data, TWinSkinForm& form) override;
  void SkinChanged() override;
  void Restore() override;

 protected:
  // Grid lines and late headers (SkinListGrid.cpp).
  bool BeforeMessage(TMessage& m) override;
  void AfterMessage(TMessage& m) override;

 private:
  void TakeContentColours();
  void SkinHeaderWindow();
  // A header the list made after it was skinned.
  void AdoptHeader(HWND header);
  // The list's grid lines drawn by us, in a colour of the skin's content,
  // while the skin has content colours; the list's own given back.
  void TakeGridLines();
  void GiveGridLinesBack();
  void DrawGridLines(HDC dc) const;

  std::unique_ptr<TSkinHeader> header_;
  bool grid_taken_ = false;
  bool content_taken_ = false;
  COLORREF old_back_ = 0, old_text_back_ = 0, old_text_ = 0;
};
