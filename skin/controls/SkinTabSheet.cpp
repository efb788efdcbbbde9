#include "skin/controls/SkinTabSheet.h"

#include <memory>

#include "framework/Graphic.h"
#include "framework/StringList.h"
#include "skin/controls/SkinProps.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/data/SkinManage.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/WinSkinForm.h"

// --- pages ------------------------------------------------------------------------

bool TSkinTabSheet::BeforeMessage(TMessage& m) {
  const bool pass_on = TSkinControl::BeforeMessage(m);
  if (!pass_on) return false;
  // A sheet that shows its parent's background (mode 1) keeps doing so.
  if (mode_ != 0) return true;
  switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
      PaintMessage(m);
      return false;
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(handle_, &client);
      FillSkinColor(reinterpret_cast<HDC>(m.WParam),
                    {client.left, client.top, client.right, client.bottom});
      m.Result = 1;
      return false;
    }
    default:
      return true;
  }
}

void TSkinTabSheet::DrawTo(HDC dc, const TRect& rect) {
  FillSkinColor(dc, rect);
  if (control_) control_->PaintControls(dc);
}

// --- foreign page controls ------------------------------------------------------

void TSkinAdvPage::InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                               bool change_colour) {
  if (initialized_) return;
  TSkinControl::InitControl(control, form, data, change_colour);
  if (kind_ == 4) RenderTabImages();
  control.Invalidate();
}

void TSkinAdvPage::SkinChanged() {
  TSkinControl::SkinChanged();
  if (kind_ == 4) RenderTabImages();
  Repaint();
}

void TSkinAdvPage::Restore() {
  TSkinControl::Restore();
  if (!control_) return;
  for (const char* name : {"TabBackGround", "TabBackGroundActive"}) {
    if (auto* picture = PropObject<TGraphic>(control_, name)) picture->Bitmap.Clear();
  }
  control_->Invalidate();
}

void TSkinAdvPage::RenderTabImages() {
  if (!control_ || !data_) return;
  const TDataSkinObject* tabs = data_->Object(ssTabs);
  if (!tabs || tabs->Bitmap.Empty()) return;
  const int frames = tabs->Frame > 0 ? tabs->Frame : 5;
  const TSkinMargins margins{tabs->LeftWidth, tabs->TopHeight, tabs->RightWidth,
                             tabs->BottomHeight};
  // The centre is tiled where the strip's see-through colour must stay
  // whole.
  const bool tile = tabs->Trans == 1;
  const int dpi = Dpi();
  const std::pair<const char*, int> pictures[] = {{"TabBackGround", 1}, {"TabBackGroundActive", 2}};
  for (const auto& [name, cell] : pictures) {
    if (auto* picture = PropObject<TGraphic>(control_, name)) {
      picture->Bitmap = RenderSkinPart(SkinScale(kAdvTabWidth, dpi), SkinScale(kAdvTabHeight, dpi),
                                       tabs->Bitmap, margins, false, tile, frames, cell, dpi);
    }
  }
}

void TSkinAdvPage::SkinScroller() {
  if (scroller_found_ || !form_ || !data_ || !handle_) return;
  HWND found = nullptr;
  for (HWND child = GetTopWindow(handle_); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (AsciiLower(WindowClassName(child)) == "msctls_updown32") {
      found = child;
      break;
    }
  }
  if (!found) return;
  scroller_found_ = true;
  for (const auto& object : form_->Controls()) {
    if (object->Handle() == found) return;  // skinned already
  }
  TSkinControl* added = form_->AddControl(std::make_unique<TSkinUpDown>());
  try {
    if (TWinControl* control = TWinControl::FindControl(found)) {
      added->InitControl(*control, *form_, *data_, false);
    } else {
      added->InitWindow(found, *data_, *form_);
    }
  } catch (...) {
    form_->RemoveControl(added);
  }
}

void TSkinAdvPage::DrawTo(HDC, const TRect&) {
  // The control draws itself from the pictures; only its scroller needs us.
  SkinScroller();
}
