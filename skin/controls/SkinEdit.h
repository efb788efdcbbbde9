#pragma once
// TSkinEdit: the border of an edit (any control with a sunken edge) drawn
// from the cells of the skin's sunken edge: cell 1 at rest, 3 disabled, 4
// with the keyboard focus. The text area shows the skin's content colours (Window
// under WindowText; read-only and disabled text on backgrounds of their
// own), which the edit asks for with WM_CTLCOLOREDIT / WM_CTLCOLORSTATIC. A
// spin button inside the edit is found and skinned as well. Under a skin
// without the SunkEdge image the edit keeps the system's border; an edit
// without a border has none drawn, and its text area takes the content
// colours like any other. While the skin draws the border, the text keeps
// the border's width and a gap, both scaled to the edit's DPI, from the
// edit's edges (its margins are widened, and given back when the skin goes),
// and a single line starts as far below the edit's top as at 96 DPI, scaled
// (its text area is set in from the top and bottom while the skin is on).
#include <optional>

#include "skin/controls/ContentBrushes.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinObjects.h"

class TDataSkinObject;
class TSkinData;

// The skin's sunken edge as a strip of plain edge cells. Where the skin
// data has turned "SunkEdge" into a mirrored strip of whole drop-down boxes
// (a skin with a combo button), each edge cell is taken back from the half
// of its box away from the button (less where the button, as wide as the
// screen's scroll arrow, reaches past the middle), mirrored to make the
// other half, with the edge's top margin on every side. Otherwise the object as it is. Null
// without an image.
const TDataSkinObject* SunkenEdgeCells(const TSkinData& data, TDataSkinObject& made);

class TSkinEdit : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;

  void InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                   bool change_colour) override;
  void InitWindow(HWND window, TSkinData& data, TWinSkinForm& form) override;
  void Restore() override;
  void SkinChanged() override;

  // The state the edit's text is shown in now.
  TContentState ContentState() const;
  // The answer to the edit's colour question (WM_CTLCOLOREDIT or
  // WM_CTLCOLORSTATIC with its DC): the colours set into the DC, the
  // background brush returned.
  LRESULT AnswerColour(HDC dc);
  // Whether the edit has a border of its own (one without gets none drawn).
  bool HasBorder() const;
  // The spin button found inside the edit, or null.
  HWND SpinWindow() const { return spin_; }

 protected:
  bool BeforeMessage(TMessage& m) override;
  void AfterMessage(TMessage& m) override;
  void DrawTo(HDC dc, const TRect& rect) override;

 private:
  // The skin's SunkEdge object when it has an image, else null.
  const TDataSkinObject* EdgeObject() const;
  // The edit's border thickness across and down, or nothing (0, 0) when
  // the client area fills the window.
  SIZE EdgeSize() const;
  // Whether the border is drawn from the skin (a border and the image).
  bool SkinsBorder() const;
  // Looks for an up-down window inside the edit and skins it.
  void FindSpin();
  // A disabled edit's text, drawn whole in the greyed content colours (the
  // edit itself would write it in the system's grey).
  void PaintDisabled(TMessage& m);
  void EraseContent(HDC dc);
  // Widens the text margins to what the DPI asks for while the skin draws
  // the border; gives them back otherwise.
  void FitMargins();
  void GiveMarginsBack();
  // Sets the text area of a single-line edit in from the top and bottom of
  // `client` (the system's, inside `window`) so that its line starts where
  // the 96-DPI edit's does, scaled; the system's edge stays 2 pixels at
  // every DPI while the skin's border grows.
  void SetLineInset(const RECT& window, RECT& client);
  // Has the text area worked out again where it may differ from the
  // system's.
  void Reframe();
  void FrameChanged();

  struct TMargins {
    int left = 0;
    int right = 0;
    bool operator==(const TMargins&) const = default;
  };
  // The margins the edit has of its own (the system's for its font, or
  // what its owner set), given back when the skin goes.
  TMargins own_margins_;
  // What this object set, while it holds the margins.
  std::optional<TMargins> set_margins_;
  bool setting_margins_ = false;  // our own EM_SETMARGINS is under way
  bool framed_ = false;           // the text area is set in from the system's
  bool given_back_ = false;       // Restore has run: the system's text area stays

  HWND spin_ = nullptr;
  // The edge cells taken back from the skin data, made again at each use
  // (a few thousand pixels), so a new skin never shows the old edge.
  mutable TDataSkinObject edge_;
  TContentBrushes brushes_;
  TBackBuffer content_;  // the disabled text area before its copy
};

// Answers WM_CTLCOLOREDIT / WM_CTLCOLORSTATIC that a window skinned by
// `form` receives for one of its edits skinned by a TSkinEdit (a bare
// window's edits, whose questions reach the window and not the edit).
// False when the asking window is no such edit.
bool AnswerEditColour(const TWinSkinForm& form, TMessage& m);
