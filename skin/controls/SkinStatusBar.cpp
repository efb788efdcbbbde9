#include "skin/controls/SkinStatusBar.h"

#include <commctrl.h>

#include "framework/StatusBar.h"
#include "skin/controls/SkinProps.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"

bool TSkinStatusBar::BeforeMessage(TMessage& m) {
  if (m.Msg == WM_PAINT) {
    PaintMessage(m);
    return false;
  }
  if (m.Msg == WM_ERASEBKGND) {
    m.Result = 1;
    return false;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinStatusBar::PanelBackground(const TRect& r, int bevel) {
  const TDataSkinObject* edges = data_->Object(ssStatusBarEdges);
  if (edges && !edges->Bitmap.Empty()) {
    const TBitmap part = RenderSkinCell(*edges, r.Width(), r.Height(), 3, bevel);
    buffer_.Draw(r.left, r.top, part);
    return;
  }
  if (bevel != 1 && bevel != 2) return;
  // A plain 3D edge one pixel wide.
  const TColor light = clBtnHighlight, dark = clBtnShadow;
  const TColor top_left = bevel == 1 ? dark : light;
  const TColor bottom_right = bevel == 1 ? light : dark;
  buffer_.Fill({r.left, r.top, r.right, r.top + 1}, top_left);
  buffer_.Fill({r.left, r.top, r.left + 1, r.bottom}, top_left);
  buffer_.Fill({r.left, r.bottom - 1, r.right, r.bottom}, bottom_right);
  buffer_.Fill({r.right - 1, r.top, r.right, r.bottom}, bottom_right);
}

void TSkinStatusBar::PanelText(std::wstring text, RECT r, UINT alignment) {
  HDC dc = buffer_.DC();
  if (text.empty()) text = L" ";
  SetBkMode(dc, TRANSPARENT);
  RECT extent = r;
  DrawTextW(dc, text.c_str(), -1, &extent, alignment | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS);
  const int w = extent.right - extent.left, h = extent.bottom - extent.top;
  RECT place = r;
  if (alignment & DT_CENTER) {
    place.left = r.left + (r.right - r.left - w) / 2;
    place.right = place.left + w;
  }
  place.top = r.top + (r.bottom - r.top - h) / 2;
  place.bottom = place.top + h;
  DrawTextW(dc, text.c_str(), -1, &place, TextFlags(alignment | DT_EXPANDTABS));
}

void TSkinStatusBar::DrawTo(HDC dc, const TRect& rect) {
  if (!buffer_.SetSize(rect.Width(), rect.Height())) return;
  const TRect r = buffer_.BoundsRect();
  buffer_.Fill(r, data_->Colours().ButtonFace);
  HDC out = buffer_.DC();
  TSelectObject font(out, ControlFont());
  const TDataSkinObject* edges = data_->Object(ssStatusBarEdges);
  const TColor ink = edges ? edges->NormalColour2 : ControlTextColour();
  SetTextColor(out, static_cast<COLORREF>(ColorToRGB(ink) & 0xFFFFFF));
  const auto ex = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_EXSTYLE));
  const bool right_to_left = (ex & (WS_EX_RTLREADING | WS_EX_LAYOUTRTL)) != 0;

  auto* bar = dynamic_cast<TStatusBar*>(control_);
  const bool simple = !bar || bar->SimplePanel() || bar->PanelCount() == 0;
  if (simple) {
    PanelBackground(r, 1);
    const RECT text{r.left + 2, r.top, r.right - 2, r.bottom};
    PanelText(PropText(control_, "SimpleText"), text, right_to_left ? DT_RIGHT : DT_LEFT);
  } else {
    for (int i = 0; i < bar->PanelCount(); ++i) {
      TStatusPanel& panel = bar->Panel(i);
      int alignment = panel.Alignment();
      if (right_to_left && alignment != taCenter) {
        alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
      }
      RECT pr{};
      if (!SendMessageW(handle_, SB_GETRECT, i, reinterpret_cast<LPARAM>(&pr))) continue;
      pr.right += 2;
      // The last panel reaches the right edge, whatever its own width.
      if (i == bar->PanelCount() - 1) pr.right = r.right;
      const int bevel = panel.Bevel() == pbRaised ? 2 : panel.Bevel() == pbLowered ? 1 : 3;
      PanelBackground({pr.left, pr.top, pr.right, pr.bottom}, bevel);
      if (panel.Style() == psText) {
        const UINT align = alignment == taRightJustify ? DT_RIGHT
                           : alignment == taCenter     ? DT_CENTER
                                                       : DT_LEFT;
        const RECT text{pr.left + 2, pr.top, pr.right - 2, pr.bottom};
        PanelText(PropText(&panel, "Text"), text, align);
      }
    }
  }

  // The skin's size grip in the bottom-right corner.
  const TDataSkinObject* extra = data_->Object(ssExtraImages);
  if ((Style() & SBARS_SIZEGRIP) && extra && !extra->Bitmap.Empty()) {
    const int frames = extra->Frame > 0 ? extra->Frame : 5;
    const int fw = extra->Bitmap.Width() / frames, fh = extra->Bitmap.Height();
    DrawStripFrame(buffer_, {r.right - 1 - fw, r.bottom - 1 - fh, r.right - 1, r.bottom - 1},
                   frames, 5, extra->Bitmap);
  }
  buffer_.CopyTo(dc, rect.left, rect.top);
  if (control_) control_->PaintControls(dc);

  // Panels the program draws itself are drawn on the screen directly.
  if (bar && !simple && bar->OnDrawPanel) {
    for (int i = 0; i < bar->PanelCount(); ++i) {
      if (bar->Panel(i).Style() != psOwnerDraw) continue;
      RECT pr{};
      if (!SendMessageW(handle_, SB_GETRECT, i, reinterpret_cast<LPARAM>(&pr))) continue;
      InflateRect(&pr, -2, -2);
      bar->OnDrawPanel(bar, bar->Panel(i), dc, pr);
    }
  }
}
