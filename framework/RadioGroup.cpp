#include "framework/RadioGroup.h"

#include <algorithm>

#include "framework/Dpi.h"
#include "framework/Unicode.h"

TRadioGroup::TRadioGroup(TComponent* owner) : TGroupBox(owner) {}

TRadioGroup::~TRadioGroup() {
  // The buttons' handlers point at this group.
  for (TRadioButton* button : buttons_) button->OnClick = nullptr;
}

void TRadioGroup::SetItems(const std::vector<std::wstring>& items) {
  items_ = items;
  item_index_ = -1;
  MakeButtons();
}

int TRadioGroup::ItemIndex() const {
  for (size_t i = 0; i < buttons_.size(); ++i) {
    if (buttons_[i]->Checked()) return static_cast<int>(i);
  }
  return buttons_.empty() ? item_index_ : -1;
}

void TRadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size())) index = -1;
  item_index_ = index;
  if (index >= 0 && index < ButtonCount()) {
    Button(index).SetChecked(true);
  } else {
    for (TRadioButton* button : buttons_) button->SetChecked(false);
  }
}

void TRadioGroup::SetColumns(int columns) {
  columns_ = std::clamp(columns, 1, 16);
  ArrangeButtons();
}

void TRadioGroup::CreateWnd() {
  if (buttons_.empty() && !items_.empty()) MakeButtons();
  ArrangeButtons();
}

void TRadioGroup::MakeButtons() {
  for (TRadioButton* button : buttons_) {
    button->OnClick = nullptr;
    RemoveComponent(button).reset();
  }
  buttons_.clear();
  for (const std::wstring& item : items_) {
    TRadioButton& button = OwnedComponent<TRadioButton>(*this);
    button.SetCaption(item);
    button.OnClick = [this](TObject*) {
      item_index_ = ItemIndex();
      if (OnClick) OnClick(this);
    };
    buttons_.push_back(&button);
  }
  ArrangeButtons();
  for (TRadioButton* button : buttons_) button->SetParent(this);
  if (item_index_ >= 0 && item_index_ < ButtonCount()) Button(item_index_).SetChecked(true);
}

void TRadioGroup::ArrangeButtons() {
  if (buttons_.empty()) return;
  // The buttons' bounds are 96-DPI units, like every child's: the area
  // they share is measured in pixels at the group's DPI (the frame and the
  // caption's height) and taken back to units, so the group lays out at
  // any DPI as it does at 96, scaled.
  RECT area = HandleAllocated()
                  ? ClientRect()
                  : RECT{0, 0, ScaleForDpi(Width(), Dpi()), ScaleForDpi(Height(), Dpi())};
  AdjustClientRect(area);
  area = RECT{UnscaleForDpi(area.left, Dpi()), UnscaleForDpi(area.top, Dpi()),
              UnscaleForDpi(area.right, Dpi()), UnscaleForDpi(area.bottom, Dpi())};
  const int count = ButtonCount();
  const int rows = (count + columns_ - 1) / columns_;
  const int width = std::max(0L, area.right - area.left - 8) / columns_;
  const int height = std::max(0L, area.bottom - area.top) / std::max(rows, 1);
  for (int i = 0; i < count; ++i) {
    const int column = i / rows, row = i % rows;
    Button(i).SetBounds(area.left + 6 + column * width, area.top + row * height, width, height);
  }
}

void TRadioGroup::WndProc(TMessage& m) {
  TGroupBox::WndProc(m);
  if (m.Msg == WM_SIZE) ArrangeButtons();
}

void TRadioGroup::DescribeProperties(TPropertyTable& table) {
  TGroupBox::DescribeProperties(table);
  table.Int(
      "ItemIndex", [this] { return ItemIndex(); },
      [this](std::int64_t v) { SetItemIndex(static_cast<int>(v)); });
  table.Int(
      "Columns", [this] { return columns_; },
      [this](std::int64_t v) { SetColumns(static_cast<int>(v)); });
  table.Text(
      "Items",
      [this] {
        std::string text;
        for (const std::wstring& item : items_) text += WideToUtf8(item) + "\n";
        return text;
      },
      [this](const std::string& v) {
        std::vector<std::wstring> items;
        size_t start = 0;
        while (start < v.size()) {
          size_t end = v.find('\n', start);
          if (end == std::string::npos) end = v.size();
          items.push_back(Utf8ToWide(v.substr(start, end - start)));
          start = end + 1;
        }
        SetItems(items);
      });
}
