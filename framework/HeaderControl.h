#pragma once
// THeaderControl: a stand-alone bar of column sections (a "SysHeader32"
// window) that a form lays out itself, above columns it draws on its own.
// The sections are kept here as well, so they come back when the window is
// made again; a click on a section is announced by OnSectionClick.
#include <functional>
#include <string>
#include <vector>

#include "framework/Control.h"

using TSectionNotifyEvent = std::function<void(TObject* Sender, int Section)>;

class THeaderControl : public TWinControl {
 public:
  explicit THeaderControl(TComponent* owner);

  // Adds a section at the end; gives its index.
  int AddSection(const std::wstring& text, int width);
  int SectionCount() const { return static_cast<int>(sections_.size()); }
  std::wstring SectionText(int index) const;
  // The width the section has now (the user may have dragged its divider).
  int SectionWidth(int index) const;

  TSectionNotifyEvent OnSectionClick;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;

 private:
  struct TSection {
    std::wstring text;
    int width = 50;
  };
  void InsertItem(int index);
  std::vector<TSection> sections_;
};
