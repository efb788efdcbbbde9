#include "framework/PageControl.h"

#include <algorithm>

// --- pages ----------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
  // Hidden until its page control shows it.
  SetVisible(false);
}

TTabSheet::~TTabSheet() {
  // Our handler speaks to the page control: stop it first.
  DestroyHandle();
  if (page_control_) page_control_->RemovePage(*this);
}

void TTabSheet::CreateParams(TCreateParams& params) {
  params.style |= WS_CLIPCHILDREN;
  params.ex_style |= WS_EX_CONTROLPARENT;
}

void TTabSheet::SetPageControl(TPageControl* control) {
  if (control == page_control_) return;
  if (page_control_) page_control_->RemovePage(*this);
  if (!control) {
    SetVisible(false);
    SetParent(nullptr);
    return;
  }
  SetAlign(alClient);
  SetParent(control);
  control->InsertPage(*this);
}

int TTabSheet::PageIndex() const {
  if (!page_control_) return -1;
  const auto& pages = page_control_->pages_;
  const auto found = std::find(pages.begin(), pages.end(), this);
  return found == pages.end() ? -1 : static_cast<int>(found - pages.begin());
}

void TTabSheet::WndProc(TMessage& m) {
  TWinControl::WndProc(m);
  // The tab shows the page's caption.
  if (m.Msg == WM_SETTEXT && page_control_) page_control_->PageCaptionChanged(*this);
}

void TTabSheet::DescribeProperties(TPropertyTable& table) {
  TWinControl::DescribeProperties(table);
  table.Int("PageIndex", [this] { return PageIndex(); });
}

// --- the control ----------------------------------------------------------------

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

TPageControl::~TPageControl() {
  DestroyHandle();
  // The pages outlive us when their owner frees them later.
  for (TTabSheet* page : pages_) page->page_control_ = nullptr;
  pages_.clear();
}

TTabSheet* TPageControl::Pages(int index) const {
  if (index < 0 || index >= PageCount()) return nullptr;
  return pages_[static_cast<size_t>(index)];
}

void TPageControl::InsertPage(TTabSheet& page) {
  page.page_control_ = this;
  pages_.push_back(&page);
  InsertTab(PageCount() - 1, page.Caption());
  if (!active_) {
    SetActivePage(&page);
  } else {
    page.SetVisible(false);
  }
}

void TPageControl::RemovePage(TTabSheet& page) {
  const auto found = std::find(pages_.begin(), pages_.end(), &page);
  if (found == pages_.end()) return;
  const int index = static_cast<int>(found - pages_.begin());
  pages_.erase(found);
  page.page_control_ = nullptr;
  DeleteTab(index);
  if (active_ == &page) {
    active_ = nullptr;
    if (!pages_.empty()) SetActivePageIndex(std::min(index, PageCount() - 1));
  } else {
    // The tab list moved under the selection.
    SelectTab(ActivePageIndex());
  }
}

void TPageControl::PageCaptionChanged(TTabSheet& page) {
  SetTabText(page.PageIndex(), page.Caption());
}

void TPageControl::ShowOnly(TTabSheet* shown) {
  // The new page first, so no moment shows none.
  if (shown) {
    shown->SetVisible(true);
    if (shown->HandleAllocated()) {
      SetWindowPos(shown->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  for (TTabSheet* page : pages_) {
    if (page != shown && page->Visible()) page->SetVisible(false);
  }
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->page_control_ != this) return;
  active_ = page;
  SelectTab(ActivePageIndex());
  ShowOnly(page);
}

int TPageControl::ActivePageIndex() const {
  return active_ ? active_->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int index) {
  SetActivePage(Pages(index));
}

void TPageControl::ClosePage(int index) {
  TTabSheet* page = Pages(index);
  if (!page) return;
  if (TComponent* owner = page->Owner()) {
    // Freeing the page takes it off the list (its destructor).
    owner->RemoveComponent(page).reset();
  } else {
    // The caller holds the page: it only leaves the control.
    page->SetPageControl(nullptr);
  }
}

void TPageControl::Changed() {
  active_ = Pages(SelectedTab());
  ShowOnly(active_);
  TCustomTabControl::Changed();
}

void TPageControl::DescribeProperties(TPropertyTable& table) {
  TCustomTabControl::DescribeProperties(table);
  table.Int(
      "TabIndex", [this] { return ActivePageIndex(); },
      [this](std::int64_t v) { SetActivePageIndex(static_cast<int>(v)); });
  table.Object("ActivePage", [this]() -> TPersistent* { return active_; });
}
