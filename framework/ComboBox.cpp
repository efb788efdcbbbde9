#include "framework/ComboBox.h"

#include <algorithm>

#include "framework/ControlProperties.h"
#include "framework/Unicode.h"

namespace {
constexpr DWORD kRightToLeftStyles = WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;
// The visible-items message of newer common controls (older ones ignore it
// and go by the window's height).
constexpr UINT kSetMinVisible = 0x1701;

HWND EditOf(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (!GetComboBoxInfo(combo, &info)) return nullptr;
  return info.hwndItem != combo ? info.hwndItem : nullptr;
}
}  // namespace

std::vector<std::string> ComboBoxStyleNames() {
  return {"csDropDown", "csSimple", "csDropDownList"};
}

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 145, 24);
}

void TComboBox::CreateParams(TCreateParams& params) {
  params.class_name = L"COMBOBOX";
  params.style |= WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL;
  switch (style_) {
    case csSimple:
      // The list reaches down to the window's bottom (no strip is left
      // below its last whole row).
      params.style |= CBS_SIMPLE | CBS_NOINTEGRALHEIGHT;
      break;
    case csDropDownList:
      params.style |= CBS_DROPDOWNLIST;
      break;
    default:
      params.style |= CBS_DROPDOWN;
      break;
  }
  if (right_to_left_) params.ex_style |= kRightToLeftStyles;
}

void TComboBox::CreateWnd() {
  HWND combo = Handle();
  SendMessageW(combo, CB_INITSTORAGE, items_.size(), 0);
  for (const std::wstring& item : items_) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  if (item_index_ >= 0) SendMessageW(combo, CB_SETCURSEL, item_index_, 0);
  SendMessageW(combo, kSetMinVisible, drop_down_count_, 0);
}

void TComboBox::Recreate() {
  if (!HandleAllocated()) return;
  item_index_ = ItemIndex();
  const std::wstring text = Text();
  // The new window is made with the text as caption.
  SetCaption(text);
  DestroyHandle();
  CreateHandle();
  if (item_index_ < 0 && style_ != csDropDownList) SetCaption(text);
}

void TComboBox::SetComboStyle(TComboBoxStyle style) {
  if (style == style_) return;
  style_ = style;
  Recreate();
}

void TComboBox::AddItem(const std::wstring& item) {
  items_.push_back(item);
  if (HandleAllocated()) {
    SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
}

void TComboBox::ClearItems() {
  items_.clear();
  item_index_ = -1;
  if (HandleAllocated()) SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
}

void TComboBox::SetItems(const std::vector<std::wstring>& items) {
  ClearItems();
  if (HandleAllocated()) SendMessageW(Handle(), CB_INITSTORAGE, items.size(), 0);
  for (const std::wstring& item : items) AddItem(item);
}

std::wstring TComboBox::Item(int index) const {
  if (index < 0 || index >= ItemCount()) return {};
  return items_[static_cast<size_t>(index)];
}

int TComboBox::ItemIndex() const {
  if (!HandleAllocated()) return item_index_;
  const auto index = static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
  return index == CB_ERR ? -1 : index;
}

void TComboBox::SetItemIndex(int index) {
  if (index < 0 || index >= ItemCount()) index = -1;
  item_index_ = index;
  if (!HandleAllocated()) {
    if (style_ != csDropDownList) SetCaption(Item(index));
    return;
  }
  SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  // An editable combo box shows the chosen item in its edit; choosing none
  // empties the field.
  if (index < 0 && style_ != csDropDownList) SetWindowTextW(Handle(), L"");
}

std::wstring TComboBox::Text() const {
  if (HandleAllocated() || style_ != csDropDownList) return Caption();
  return Item(item_index_);
}

void TComboBox::SetText(const std::wstring& text) {
  if (style_ != csDropDownList) {
    SetCaption(text);
    return;
  }
  const auto found = std::find(items_.begin(), items_.end(), text);
  if (found != items_.end()) SetItemIndex(static_cast<int>(found - items_.begin()));
}

void TComboBox::SetDropDownCount(int count) {
  drop_down_count_ = std::max(1, count);
  if (HandleAllocated()) SendMessageW(Handle(), kSetMinVisible, drop_down_count_, 0);
}

bool TComboBox::DroppedDown() const {
  return HandleAllocated() && SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TComboBox::SetDroppedDown(bool down) {
  if (HandleAllocated()) SendMessageW(Handle(), CB_SHOWDROPDOWN, down ? TRUE : FALSE, 0);
}

void TComboBox::SetRightToLeft(bool on) {
  if (on == right_to_left_) return;
  right_to_left_ = on;
  // The button's side is settled when the window is made.
  Recreate();
}

void TComboBox::SizeDroppedList() {
  if (style_ == csSimple || !HandleAllocated()) return;
  HWND combo = Handle();
  const auto item_height = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
  const int shown = std::clamp(ItemCount(), 1, drop_down_count_);
  RECT field{};
  GetWindowRect(combo, &field);
  // The window's height reaches down to the end of the dropped list.
  const int height = (field.bottom - field.top) + item_height * shown + 2;
  SetWindowPos(combo, nullptr, 0, 0, field.right - field.left, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void TComboBox::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    switch (HIWORD(m.WParam)) {
      case CBN_DROPDOWN:
        SizeDroppedList();
        break;
      case CBN_SELCHANGE: {
        const int index = ItemIndex();
        // The edit takes the chosen item before anyone asks for the text.
        if (HWND edit = EditOf(Handle()); edit && index >= 0) {
          SetWindowTextW(edit, Item(index).c_str());
        }
        if (OnSelect) OnSelect(this);
        if (OnChange) OnChange(this);
        break;
      }
      case CBN_EDITCHANGE:
        if (OnChange) OnChange(this);
        break;
      default:
        break;
    }
    m.Result = 0;
    return;
  }
  TWinControl::WndProc(m);
}

void TComboBox::DescribeProperties(TPropertyTable& table) {
  TWinControl::DescribeProperties(table);
  table.Enum(
      "Style", ComboBoxStyleNames(), [this] { return static_cast<std::int64_t>(style_); },
      [this](std::int64_t v) { SetComboStyle(static_cast<TComboBoxStyle>(v)); });
  table.Int(
      "ItemIndex", [this] { return ItemIndex(); },
      [this](std::int64_t v) { SetItemIndex(static_cast<int>(v)); });
  table.Text(
      "Text", [this] { return WideToUtf8(Text()); },
      [this](const std::string& v) { SetText(Utf8ToWide(v)); });
  table.Int(
      "DropDownCount", [this] { return drop_down_count_; },
      [this](std::int64_t v) { SetDropDownCount(static_cast<int>(v)); });
  table.Enum(
      "BiDiMode", {"bdLeftToRight", "bdRightToLeft"}, [this] { return right_to_left_ ? 1 : 0; },
      [this](std::int64_t v) { SetRightToLeft(v != 0); });
}
