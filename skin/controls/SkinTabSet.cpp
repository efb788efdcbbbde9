#include "skin/controls/SkinTabSet.h"

#include <algorithm>

#include "framework/TabSet.h"
#include "framework/UpDown.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/WinSkinForm.h"
#include "skin/packages/ImgUtil.h"

namespace {
// A tab is its text and this much more; while the scroller shows, this
// much more room stays free before the end margin.
constexpr int kTabPadding = 9;
constexpr int kScrollerRoom = 12;

COLORREF Rgb(TColor colour) {
  return static_cast<COLORREF>(ColorToRGB(colour) & 0xFFFFFF);
}
}  // namespace

TTabSet* TSkinTab31::TabSet() const {
  return dynamic_cast<TTabSet*>(control_);
}

void TSkinTab31::InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                             bool change_colour) {
  if (initialized_) return;
  TSkinControl::InitControl(control, form, data, change_colour);
  PrepareImage();
  SkinScroller();
}

void TSkinTab31::SkinChanged() {
  TSkinControl::SkinChanged();
  PrepareImage();
  Repaint();
}

void TSkinTab31::PrepareImage() {
  tab_image_.Clear();
  cells_.Clear();
  const TDataSkinObject* tabs = data_ ? data_->Object(ssTabs) : nullptr;
  if (!tabs || tabs->Bitmap.Empty()) return;
  // The tabs hang down: the image upside down.
  tab_image_ = tabs->Bitmap;
  tab_image_.SetBitCount(24);
  FlipBitmap(tab_image_);
}

TSkinUpDown* TSkinTab31::Scroller() const {
  TTabSet* set = TabSet();
  if (!set || !form_) return nullptr;
  for (const auto& object : form_->Controls()) {
    if (object->Skinned() == &set->Scroller() && object->LifeState() == slAttached) {
      return dynamic_cast<TSkinUpDown*>(object.get());
    }
  }
  return nullptr;
}

void TSkinTab31::SkinScroller() {
  TTabSet* set = TabSet();
  if (!set || !form_ || !data_ || set->ComponentCount() == 0) return;
  // The set's scroller is the first component it owns.
  auto* scroller = dynamic_cast<TUpDown*>(set->Components(0));
  if (!scroller || scroller != &set->Scroller() || !scroller->HandleAllocated()) return;
  if (TSkinUpDown* known = Scroller()) {
    known->SetHorizontal(true);
    return;
  }
  auto made = std::make_unique<TSkinUpDown>();
  made->SetHorizontal(true);
  TSkinControl* added = form_->AddControl(std::move(made));
  try {
    added->InitControl(*scroller, *form_, *data_, false);
  } catch (...) {
    // A scroller that cannot be skinned keeps its own look.
    form_->RemoveControl(added);
  }
}

bool TSkinTab31::BeforeMessage(TMessage& m) {
  // Without the Tabs image the set draws itself.
  if (const auto answer = PaintWholeOrPassOn(m, !tab_image_.Empty() && TabSet())) return *answer;
  return TSkinControl::BeforeMessage(m);
}

void TSkinTab31::DrawTo(HDC dc, const TRect& rect) {
  TTabSet* set = TabSet();
  const TDataSkinObject* tabs = data_ ? data_->Object(ssTabs) : nullptr;
  if (!set || !tabs || tab_image_.Empty() || rect.Width() <= 0 || rect.Height() <= 0) return;
  if (!buffer_.SetSize(rect.Width(), rect.Height())) return;
  FillSkinColor(buffer_.DC(), buffer_.BoundsRect());
  HDC out = buffer_.DC();
  auto* own_font = reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0));
  TSelectObject font(out, own_font ? own_font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(out, TRANSPARENT);
  const bool enabled = IsWindowEnabled(handle_) != FALSE;
  const int frames = tabs->Frame > 0 ? tabs->Frame : 5;
  // The image is upside down, and so are its top and bottom margins.
  const TSkinMargins margins{tabs->LeftWidth, tabs->BottomHeight, tabs->RightWidth,
                             tabs->TopHeight};
  // Tabs are as wide as the set lays them out (it places clicks by the same
  // widths); their cells are drawn at the control's DPI.
  const int dpi = Dpi();
  const bool scroller_shown = set->ScrollerShown();
  const int limit = rect.Width() - set->EndMargin();
  int x = set->StartMargin();
  for (int i = set->FirstIndex(); i < set->TabCount(); ++i) {
    const std::wstring& text = set->Tabs()[static_cast<size_t>(i)];
    SIZE extent{};
    GetTextExtentPoint32W(out, text.c_str(), static_cast<int>(text.size()), &extent);
    const int w = extent.cx + kTabPadding;
    // Only whole tabs: the first that does not fit ends the row.
    if (x + w + (scroller_shown ? kScrollerRoom : 0) > limit) break;
    const int cell = i == set->TabIndex() ? 2 : 1;
    const TRect r{x, 0, x + w, rect.Height()};
    buffer_.Draw(
        r.left, r.top,
        cells_.Cell(tab_image_, margins, tabs->Tile == 1, frames, cell, r.Width(), r.Height(), dpi),
        tabs->Trans == 1, clFuchsia);
    SetTextColor(out, Rgb(!enabled    ? data_->Colours().ButtonShadow
                          : cell == 2 ? tabs->MouseOverColour2
                                      : tabs->NormalColour2));
    RECT place{r.left, r.top, r.right, r.bottom};
    DrawTextW(out, text.c_str(), -1, &place,
              TextFlags(DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX));
    x += w;
  }
  buffer_.CopyTo(dc, rect.left, rect.top);
}
