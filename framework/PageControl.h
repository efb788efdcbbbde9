#pragma once
// TPageControl: a tab control with one page (a TTabSheet) per tab; only
// the page of the selected tab shows, filling the display area. The tab of
// a page carries the page's caption.
//
// TTabSheet: one page. Its owner frees it (pages usually belong to the
// form); the page control only lists its pages, and a page that goes
// leaves the list. ClosePage frees a page at once.
#include <vector>

#include "framework/TabControl.h"

class TPageControl;

class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return page_control_; }
  // Moves the page to the end of `control`'s pages (null: to none).
  void SetPageControl(TPageControl* control);
  // The page's place among its control's pages, -1 when it has none.
  int PageIndex() const;

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;

 private:
  friend class TPageControl;
  TPageControl* page_control_ = nullptr;
};

class TPageControl : public TCustomTabControl {
 public:
  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;

  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int index) const;
  // The page shown; setting it raises no events.
  TTabSheet* ActivePage() const { return active_; }
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  // Frees page `index` now (through its owner); the next page, or the one
  // before when it was the last, is shown instead.
  void ClosePage(int index);

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void Changed() override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet& page);
  void RemovePage(TTabSheet& page);
  void PageCaptionChanged(TTabSheet& page);
  void ShowOnly(TTabSheet* page);

  std::vector<TTabSheet*> pages_;  // borrowed: each leaves the list as it goes
  TTabSheet* active_ = nullptr;
};
