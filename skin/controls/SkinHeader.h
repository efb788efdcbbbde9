#pragma once
// TSkinHeader: the column header of a list view (a bare "SysHeader32"
// window the list view owns), drawn from the skin's "Headerbar" strip:
// cell 1 for a section at rest and for the bar after the last section,
// cell 2 for the section under the mouse, cell 3 for the section held down.
// The section texts are written in the Headerbar's text colour; a sorted
// column shows a solid arrow at its right end, in the same colour. All of
// it is drawn at the header's DPI. Without a Headerbar image the header
// keeps the system look.
#include "skin/controls/SkinControl.h"

class TDataSkinObject;

// Where a section `section` shows its sort arrow at `dpi`: at its right
// end, centred down it, twice as wide as high.
TRect SortArrowRect(const TRect& section, int dpi);
// The arrow in `r` of `dc`, pointing up or down, in `colour`.
void DrawSortArrow(HDC dc, const TRect& r, bool up, COLORREF colour);

class TSkinHeader : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;

  void InitWindow(HWND window, TSkinData& data, TWinSkinForm& form) override;
  // The section under the mouse, -1 when none.
  int HotSection() const { return hot_; }

 protected:
  bool BeforeMessage(TMessage& m) override;
  void AfterMessage(TMessage& m) override;
  void DrawTo(HDC dc, const TRect& rect) override;

 private:
  // The skin's Headerbar object when it has an image, else null.
  const TDataSkinObject* HeaderObject() const;
  // The section whose rectangle, less 3 pixels at either end (the divider
  // the mouse grabs to resize), holds the client point; -1 when none.
  int SectionAt(POINT point) const;
  void SetHot(int section);
  void DrawSection(const TDataSkinObject& bar, int index, const TRect& r);

  int hot_ = -1;
  int pressed_ = -1;
};
