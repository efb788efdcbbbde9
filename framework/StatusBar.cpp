#include "framework/StatusBar.h"

#include <commctrl.h>

#include "framework/Dpi.h"
#include "framework/Unicode.h"

// --- TStatusPanel -------------------------------------------------------------

void TStatusPanel::SetText(const std::wstring& text) {
  text_ = text;
  bar_.UpdatePanel(index_);
}

void TStatusPanel::SetWidth(int width) {
  width_ = width;
  bar_.UpdatePanels();
}

void TStatusPanel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  bar_.UpdatePanel(index_);
}

void TStatusPanel::SetBevel(TStatusPanelBevel bevel) {
  bevel_ = bevel;
  bar_.UpdatePanel(index_);
}

void TStatusPanel::SetStyle(TStatusPanelStyle style) {
  style_ = style;
  bar_.UpdatePanel(index_);
}

void TStatusPanel::DescribeProperties(TPropertyTable& table) {
  table.Text(
      "Text", [this] { return WideToUtf8(text_); },
      [this](const std::string& v) { SetText(Utf8ToWide(v)); });
  table.Int(
      "Width", [this] { return width_; },
      [this](std::int64_t v) { SetWidth(static_cast<int>(v)); });
  table.Enum(
      "Alignment", {"taLeftJustify", "taRightJustify", "taCenter"},
      [this] { return static_cast<std::int64_t>(alignment_); },
      [this](std::int64_t v) { SetAlignment(static_cast<TAlignment>(v)); });
  table.Enum(
      "Bevel", {"pbNone", "pbLowered", "pbRaised"},
      [this] { return static_cast<std::int64_t>(bevel_); },
      [this](std::int64_t v) { SetBevel(static_cast<TStatusPanelBevel>(v)); });
  table.Enum(
      "Style", {"psText", "psOwnerDraw"}, [this] { return static_cast<std::int64_t>(style_); },
      [this](std::int64_t v) { SetStyle(static_cast<TStatusPanelStyle>(v)); });
}

// --- TStatusBar ---------------------------------------------------------------

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 200, 22);
  SetAlign(alBottom);
}

void TStatusBar::CreateParams(TCreateParams& params) {
  params.class_name = STATUSCLASSNAMEW;
  // The framework places the bar; it does not move itself to the bottom.
  params.style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  if (size_grip_) params.style |= SBARS_SIZEGRIP;
}

void TStatusBar::CreateWnd() {
  UpdatePanels();
}

TStatusPanel& TStatusBar::AddPanel(const std::wstring& text, int width) {
  panels_.push_back(std::make_unique<TStatusPanel>(*this, PanelCount()));
  TStatusPanel& panel = *panels_.back();
  panel.text_ = text;
  panel.width_ = width;
  UpdatePanels();
  return panel;
}

void TStatusBar::SetSimplePanel(bool simple) {
  simple_panel_ = simple;
  UpdatePanels();
}

void TStatusBar::SetSimpleText(const std::wstring& text) {
  simple_text_ = text;
  if (HandleAllocated()) {
    SendMessageW(Handle(), SB_SETTEXTW, SB_SIMPLEID,
                 reinterpret_cast<LPARAM>(simple_text_.c_str()));
  }
}

void TStatusBar::SetSizeGrip(bool grip) {
  size_grip_ = grip;
  if (!HandleAllocated()) return;
  auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
  style = grip ? (style | SBARS_SIZEGRIP) : (style & ~SBARS_SIZEGRIP);
  SetWindowLongPtrW(Handle(), GWL_STYLE, static_cast<LONG_PTR>(style));
  Invalidate();
}

void TStatusBar::DpiChanged(int, int) {
  UpdatePanels();
}

void TStatusBar::UpdatePanels() {
  if (!HandleAllocated()) return;
  SendMessageW(Handle(), SB_SIMPLE, simple_panel_ || panels_.empty() ? TRUE : FALSE, 0);
  std::vector<int> edges;
  int right = 0;
  for (const auto& panel : panels_) {
    right += panel->width_;
    edges.push_back(ScaleForDpi(right, Dpi()));
  }
  // The last panel reaches the right edge.
  if (!edges.empty()) edges.back() = -1;
  SendMessageW(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (int i = 0; i < PanelCount(); ++i) UpdatePanel(i);
  SetSimpleText(simple_text_);
}

void TStatusBar::UpdatePanel(int index) {
  if (!HandleAllocated() || index < 0 || index >= PanelCount()) return;
  const TStatusPanel& panel = *panels_[static_cast<size_t>(index)];
  WPARAM flags = static_cast<WPARAM>(index);
  if (panel.bevel_ == pbNone) flags |= SBT_NOBORDERS;
  if (panel.bevel_ == pbRaised) flags |= SBT_POPOUT;
  if (panel.style_ == psOwnerDraw) {
    SendMessageW(Handle(), SB_SETTEXTW, flags | SBT_OWNERDRAW, static_cast<LPARAM>(index));
    return;
  }
  // The bar centres text after one tab and right-aligns it after two.
  std::wstring text = panel.alignment_ == taCenter         ? L"\t" + panel.text_
                      : panel.alignment_ == taRightJustify ? L"\t\t" + panel.text_
                                                           : panel.text_;
  SendMessageW(Handle(), SB_SETTEXTW, flags, reinterpret_cast<LPARAM>(text.c_str()));
}

void TStatusBar::WndProc(TMessage& m) {
  if (m.Msg == CN_DRAWITEM) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
    const int index = static_cast<int>(item.itemID);
    if (OnDrawPanel && index >= 0 && index < PanelCount()) {
      OnDrawPanel(this, Panel(index), item.hDC, item.rcItem);
    }
    m.Result = TRUE;
    return;
  }
  TWinControl::WndProc(m);
}

void TStatusBar::DescribeProperties(TPropertyTable& table) {
  TWinControl::DescribeProperties(table);
  table.Enum(
      "SimplePanel", {"False", "True"}, [this] { return simple_panel_ ? 1 : 0; },
      [this](std::int64_t v) { SetSimplePanel(v != 0); });
  table.Text(
      "SimpleText", [this] { return WideToUtf8(simple_text_); },
      [this](const std::string& v) { SetSimpleText(Utf8ToWide(v)); });
  table.Enum(
      "SizeGrip", {"False", "True"}, [this] { return size_grip_ ? 1 : 0; },
      [this](std::int64_t v) { SetSizeGrip(v != 0); });
}
