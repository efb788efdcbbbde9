#include "framework/TabSet.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/GdiObjects.h"
#include "framework/UpDown.h"

namespace {
// A tab is its text and this much more.
constexpr int kTabPadding = 9;
// Room the scroller takes at the right end while it shows.
constexpr int kScrollerRoom = 12;
constexpr int kScrollerWidth = 26;
}  // namespace

TTabSet::TTabSet(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 185, 21);
  scroller_ = &OwnedComponent<TUpDown>(*this);
  scroller_->SetHorizontal(true);
  scroller_->SetVisible(false);
  scroller_->OnChange = [this](TObject*) { SetFirstIndex(scroller_->Position()); };
}

TTabSet::~TTabSet() {
  DestroyHandle();
}

void TTabSet::CreateParams(TCreateParams& params) {
  params.style |= WS_CLIPCHILDREN;
}

void TTabSet::CreateWnd() {
  scroller_->SetParent(this);
  Arrange();
}

void TTabSet::SetTabs(const std::vector<std::wstring>& tabs) {
  tabs_ = tabs;
  tab_index_ = tabs_.empty() ? -1 : 0;
  first_index_ = 0;
  Arrange();
}

void TTabSet::AddTab(const std::wstring& text) {
  tabs_.push_back(text);
  if (tab_index_ < 0) tab_index_ = 0;
  Arrange();
}

void TTabSet::SetTabIndex(int index) {
  if (index < -1 || index >= TabCount()) return;
  tab_index_ = index;
  if (index >= 0) {
    if (index < first_index_) first_index_ = index;
    // Scroll on until the tab shows whole.
    while (first_index_ < index) {
      const auto shown = VisibleTabs();
      if (std::any_of(shown.begin(), shown.end(), [&](const auto& t) { return t.index == index; }))
        break;
      ++first_index_;
    }
  }
  Arrange();
}

void TTabSet::SetFirstIndex(int index) {
  first_index_ = std::clamp(index, 0, std::max(0, TabCount() - 1));
  Arrange();
}

void TTabSet::SetStartMargin(int margin) {
  start_margin_ = std::max(0, margin);
  Arrange();
}

void TTabSet::SetEndMargin(int margin) {
  end_margin_ = std::max(0, margin);
  Arrange();
}

int TTabSet::TabWidth(const std::wstring& text) const {
  TWindowDC screen(HandleAllocated() ? Handle() : nullptr);
  HFONT font = Font();
  TSelectObject select(screen.Get(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx + kTabPadding;
}

std::vector<TTabSet::TPlacedTab> TTabSet::Layout(bool scroller_shown) const {
  std::vector<TPlacedTab> placed;
  const RECT client = ClientRect();
  const int limit = client.right - end_margin_;
  int x = start_margin_;
  for (int i = first_index_; i < TabCount(); ++i) {
    const int w = TabWidth(tabs_[static_cast<size_t>(i)]);
    if (x + w + (scroller_shown ? kScrollerRoom : 0) > limit) break;
    placed.push_back({i, RECT{x, 0, x + w, client.bottom}});
    x += w;
  }
  return placed;
}

bool TTabSet::ScrollerShown() const {
  if (first_index_ > 0) return true;
  return static_cast<int>(Layout(false).size()) < TabCount();
}

std::vector<TTabSet::TPlacedTab> TTabSet::VisibleTabs() const {
  return Layout(ScrollerShown());
}

int TTabSet::TabAt(POINT p) const {
  for (const TPlacedTab& tab : VisibleTabs()) {
    if (PtInRect(&tab.rect, p)) return tab.index;
  }
  return -1;
}

void TTabSet::Arrange() {
  if (!HandleAllocated()) return;
  const RECT client = ClientRect();
  const int height = std::min<int>(client.bottom, 18);
  scroller_->SetBounds(client.right - kScrollerWidth - 1, (client.bottom - height) / 2,
                       kScrollerWidth, height);
  scroller_->SetMax(std::max(0, TabCount() - 1));
  scroller_->SetPosition(first_index_);
  const bool shown = ScrollerShown();
  if (scroller_->Visible() != shown) scroller_->SetVisible(shown);
  Invalidate();
}

void TTabSet::Paint(HDC dc) {
  const RECT client = ClientRect();
  TMemoryDC buffer(dc, std::max<int>(client.right, 1), std::max<int>(client.bottom, 1));
  HDC out = buffer.Get();
  TOwnedBrush face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
  FillRect(out, &client, face.Get());
  HFONT font = Font();
  TSelectObject select_font(out, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(out, TRANSPARENT);
  TOwnedPen edge(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
  TSelectObject select_pen(out, edge.Get());
  // The edge the tabs hang from, broken by the selected tab.
  MoveToEx(out, 0, 0, nullptr);
  LineTo(out, client.right, 0);
  for (const TPlacedTab& tab : VisibleTabs()) {
    const RECT& r = tab.rect;
    const bool selected = tab.index == tab_index_;
    TOwnedBrush fill(CreateSolidBrush(GetSysColor(selected ? COLOR_BTNFACE : COLOR_WINDOW)));
    RECT body{r.left + 1, selected ? 0 : 1, r.right - 1, r.bottom - 2};
    FillRect(out, &body, fill.Get());
    const POINT outline[] = {
        {r.left, 0}, {r.left + 1, r.bottom - 2}, {r.right - 2, r.bottom - 2}, {r.right - 1, 0}};
    Polyline(out, outline, 4);
    SetTextColor(out, GetSysColor(IsWindowEnabled(Handle()) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    RECT text = r;
    text.bottom -= 2;
    DrawTextW(out, tabs_[static_cast<size_t>(tab.index)].c_str(), -1, &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  BitBlt(dc, 0, 0, client.right, client.bottom, out, 0, 0, SRCCOPY);
}

void TTabSet::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(Handle(), &ps);
      Paint(dc);
      if (!m.WParam) EndPaint(Handle(), &ps);
      m.Result = 0;
      return;
    }
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    case WM_SIZE:
      TWinControl::WndProc(m);
      Arrange();
      return;
    case WM_LBUTTONDOWN: {
      TWinControl::WndProc(m);
      const int hit =
          TabAt({static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))});
      if (hit >= 0 && hit != tab_index_) {
        SetTabIndex(hit);
        if (OnChange) OnChange(this);
      }
      return;
    }
    default:
      TWinControl::WndProc(m);
  }
}

void TTabSet::DescribeProperties(TPropertyTable& table) {
  TWinControl::DescribeProperties(table);
  table.Int(
      "TabIndex", [this] { return tab_index_; },
      [this](std::int64_t v) { SetTabIndex(static_cast<int>(v)); });
  table.Int(
      "FirstIndex", [this] { return first_index_; },
      [this](std::int64_t v) { SetFirstIndex(static_cast<int>(v)); });
  table.Int(
      "StartMargin", [this] { return start_margin_; },
      [this](std::int64_t v) { SetStartMargin(static_cast<int>(v)); });
  table.Int(
      "EndMargin", [this] { return end_margin_; },
      [this](std::int64_t v) { SetEndMargin(static_cast<int>(v)); });
}
