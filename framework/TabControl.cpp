#include "framework/TabControl.h"

#include <commctrl.h>

#include <algorithm>

namespace {
// The style bits that the tab position, style and rows decide.
constexpr DWORD kShape = TCS_BOTTOM | TCS_VERTICAL | TCS_MULTILINE | TCS_BUTTONS | TCS_FLATBUTTONS;
}  // namespace

TCustomTabControl::TCustomTabControl(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 289, 193);
}

void TCustomTabControl::CreateParams(TCreateParams& params) {
  params.class_name = WC_TABCONTROLW;
  // The pages and controls inside are left alone when the tabs paint.
  params.style |= WS_TABSTOP | WS_CLIPCHILDREN;
  params.ex_style |= WS_EX_CONTROLPARENT;
  switch (tab_position_) {
    case tpTop:
      break;
    case tpBottom:
      params.style |= TCS_BOTTOM;
      break;
    case tpLeft:
      params.style |= TCS_VERTICAL | TCS_MULTILINE;
      break;
    case tpRight:
      params.style |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE;
      break;
  }
  if (multi_line_) params.style |= TCS_MULTILINE;
  if (style_ == tsButtons) params.style |= TCS_BUTTONS;
  if (style_ == tsFlatButtons) params.style |= TCS_BUTTONS | TCS_FLATBUTTONS;
}

void TCustomTabControl::CreateWnd() {
  for (int i = 0; i < TabCount(); ++i) PutItem(i, TCM_INSERTITEMW);
  if (selected_ >= 0) SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(selected_), 0);
}

void TCustomTabControl::Restyle() {
  if (!HandleAllocated()) return;
  TCreateParams params;
  CreateParams(params);
  auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
  style = (style & ~kShape) | (params.style & kShape);
  SetWindowLongPtrW(Handle(), GWL_STYLE, static_cast<LONG_PTR>(style));
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  Realign();
  Invalidate();
}

void TCustomTabControl::SetTabPosition(TTabPosition position) {
  tab_position_ = position;
  Restyle();
}

void TCustomTabControl::SetStyle(TTabStyle style) {
  style_ = style;
  Restyle();
}

void TCustomTabControl::SetMultiLine(bool multi_line) {
  multi_line_ = multi_line;
  Restyle();
}

std::wstring TCustomTabControl::TabText(int index) const {
  if (index < 0 || index >= TabCount()) return {};
  return texts_[static_cast<size_t>(index)];
}

RECT TCustomTabControl::TabRect(int index) const {
  RECT r{};
  if (!HandleAllocated() || index < 0 || index >= TabCount()) return r;
  if (!SendMessageW(Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(index),
                    reinterpret_cast<LPARAM>(&r))) {
    return RECT{};
  }
  return r;
}

RECT TCustomTabControl::DisplayRect() const {
  RECT r = ClientRect();
  if (HandleAllocated())
    SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return r;
}

void TCustomTabControl::AdjustClientRect(RECT& rect) {
  if (HandleAllocated()) {
    SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
  }
}

void TCustomTabControl::PutItem(int index, UINT message) {
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = texts_[static_cast<size_t>(index)].data();
  SendMessageW(Handle(), message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void TCustomTabControl::InsertTab(int index, const std::wstring& text) {
  index = std::clamp(index, 0, TabCount());
  texts_.insert(texts_.begin() + index, text);
  if (selected_ >= index) ++selected_;
  if (HandleAllocated()) {
    PutItem(index, TCM_INSERTITEMW);
    Realign();
  }
}

void TCustomTabControl::DeleteTab(int index) {
  if (index < 0 || index >= TabCount()) return;
  texts_.erase(texts_.begin() + index);
  if (selected_ == index) {
    selected_ = -1;
  } else if (selected_ > index) {
    --selected_;
  }
  if (HandleAllocated()) {
    SendMessageW(Handle(), TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
    Realign();
    Invalidate();
  }
}

void TCustomTabControl::SetTabText(int index, const std::wstring& text) {
  if (index < 0 || index >= TabCount()) return;
  texts_[static_cast<size_t>(index)] = text;
  if (HandleAllocated()) {
    PutItem(index, TCM_SETITEMW);
    Realign();
  }
}

void TCustomTabControl::ClearTabs() {
  texts_.clear();
  selected_ = -1;
  if (HandleAllocated()) {
    SendMessageW(Handle(), TCM_DELETEALLITEMS, 0, 0);
    Realign();
  }
}

int TCustomTabControl::SelectedTab() const {
  if (!HandleAllocated()) return selected_;
  return static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
}

void TCustomTabControl::SelectTab(int index) {
  if (index < -1 || index >= TabCount()) return;
  selected_ = index;
  if (HandleAllocated()) {
    SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    Invalidate();
  }
}

bool TCustomTabControl::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TCustomTabControl::Changed() {
  if (OnChange) OnChange(this);
}

void TCustomTabControl::WndProc(TMessage& m) {
  // The window tells its parent of a change of tab; the parent hands the
  // notice back here.
  if (m.Msg == CN_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
    if (header->code == TCN_SELCHANGING) {
      m.Result = CanChange() ? FALSE : TRUE;
      return;
    }
    if (header->code == TCN_SELCHANGE) {
      selected_ = static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
      Changed();
      m.Result = 0;
      return;
    }
  }
  TWinControl::WndProc(m);
  // A new font makes the tabs taller or shorter once the window has laid
  // them out for it: what the control holds follows the display area.
  if (m.Msg == WM_SETFONT) Realign();
}

void TCustomTabControl::DescribeProperties(TPropertyTable& table) {
  TWinControl::DescribeProperties(table);
  table.Enum(
      "TabPosition", {"tpTop", "tpBottom", "tpLeft", "tpRight"}, [this] { return tab_position_; },
      [this](std::int64_t v) {
        if (v >= tpTop && v <= tpRight) SetTabPosition(static_cast<TTabPosition>(v));
      });
  table.Enum(
      "Style", {"tsTabs", "tsButtons", "tsFlatButtons"}, [this] { return style_; },
      [this](std::int64_t v) {
        if (v >= tsTabs && v <= tsFlatButtons) SetStyle(static_cast<TTabStyle>(v));
      });
  table.Enum(
      "MultiLine", {"False", "True"}, [this] { return multi_line_ ? 1 : 0; },
      [this](std::int64_t v) { SetMultiLine(v != 0); });
}

TTabControl::TTabControl(TComponent* owner) : TCustomTabControl(owner) {}

void TTabControl::AddTab(const std::wstring& text) {
  InsertTab(TabCount(), text);
  if (TabCount() == 1) SelectTab(0);
}

void TTabControl::SetTabs(const std::vector<std::wstring>& texts) {
  ClearTabs();
  for (const std::wstring& text : texts) InsertTab(TabCount(), text);
  if (TabCount() > 0) SelectTab(0);
}

void TTabControl::RemoveTab(int index) {
  const bool was_selected = index == SelectedTab();
  DeleteTab(index);
  if (was_selected && TabCount() > 0) SelectTab(std::min(index, TabCount() - 1));
}

void TTabControl::DescribeProperties(TPropertyTable& table) {
  TCustomTabControl::DescribeProperties(table);
  table.Int(
      "TabIndex", [this] { return TabIndex(); },
      [this](std::int64_t v) { SetTabIndex(static_cast<int>(v)); });
}
