#include "framework/Menus.h"

#include <oleacc.h>

#include <algorithm>
#include <string>

#include "framework/Dpi.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/MenuPainter.h"
#include "framework/Screen.h"
#include "framework/Unicode.h"

// What an item's data points to. Screen readers take the text of an
// owner-drawn item from the MSAAMENUINFO at the start of its data, so the
// record begins with one; the item it stands for follows.
struct TMenu::TItemRecords {
  struct TRecord {
    MSAAMENUINFO msaa{};
    std::wstring text;
    TMenuItem* item = nullptr;  // compared only, until found in the tree
  };
  std::vector<std::unique_ptr<TRecord>> records;
};

// --- TMenuItem

TMenuItem::TMenuItem(TComponent* owner)
    : TComponent(owner), command_(Screen().MenuCommands().Allocate()) {
  parent_ = dynamic_cast<TMenuItem*>(owner);
  menu_ = parent_ ? parent_->menu_ : dynamic_cast<TMenu*>(owner);
}

TMenuItem::~TMenuItem() {
  // Sub-items go with us (they are our components) without reporting back.
  for (TMenuItem* item : items_) item->parent_ = nullptr;
  items_.clear();
  DestroyComponents();
  if (parent_) {
    auto& siblings = parent_->items_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    parent_->Changed();
  }
  Screen().MenuCommands().Release(command_);
}

void TMenuItem::Changed() {
  if (menu_) menu_->ItemsChanged();
}

void TMenuItem::SetCaption(std::wstring caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  Changed();
}

std::wstring TMenuItem::ShortCutText() const {
  return short_cut_text_.empty() ? ShortCutToText(short_cut_) : short_cut_text_;
}

void TMenuItem::SetShortCut(TShortCut short_cut) {
  if (short_cut == short_cut_) return;
  short_cut_ = short_cut;
  Changed();
}

void TMenuItem::SetShortCutText(std::wstring text) {
  if (text == short_cut_text_) return;
  short_cut_text_ = std::move(text);
  Changed();
}

void TMenuItem::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Changed();
}

void TMenuItem::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed();
}

void TMenuItem::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  Changed();
}

void TMenuItem::SetRadioItem(bool radio) {
  if (radio == radio_item_) return;
  radio_item_ = radio;
  Changed();
}

void TMenuItem::SetImageIndex(int index) {
  if (index == image_index_) return;
  image_index_ = index;
  Changed();
}

TMenuItem& TMenuItem::Add(std::wstring caption) {
  TMenuItem& item = OwnedComponent<TMenuItem>(*this);
  item.caption_ = std::move(caption);
  items_.push_back(&item);
  Changed();
  return item;
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) {
    throw EListError("Menu item index out of bounds (" + std::to_string(index) + ")");
  }
  return items_[static_cast<size_t>(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  const auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Clear() {
  if (items_.empty()) return;
  std::vector<TMenuItem*> items;
  items.swap(items_);
  for (TMenuItem* item : items) {
    item->parent_ = nullptr;
    RemoveComponent(item);  // the returned owner destroys it here
  }
  Changed();
}

void TMenuItem::Click() {
  if (!enabled_ || IsLine() || !OnClick) return;
  // A handler may destroy the item (and with it OnClick) while it runs.
  TNotifyEvent handler = OnClick;
  handler(this);
}

void TMenuItem::DescribeProperties(TPropertyTable& table) {
  TComponent::DescribeProperties(table);
  table.Text(
      "Caption", [this] { return WideToUtf8(caption_); },
      [this](const std::string& v) { SetCaption(Utf8ToWide(v)); });
  table.Enum(
      "Enabled", {"False", "True"}, [this] { return enabled_ ? 1 : 0; },
      [this](std::int64_t v) { SetEnabled(v != 0); });
  table.Enum(
      "Visible", {"False", "True"}, [this] { return visible_ ? 1 : 0; },
      [this](std::int64_t v) { SetVisible(v != 0); });
  table.Enum(
      "Checked", {"False", "True"}, [this] { return checked_ ? 1 : 0; },
      [this](std::int64_t v) { SetChecked(v != 0); });
  table.Int(
      "ImageIndex", [this] { return image_index_; },
      [this](std::int64_t v) { SetImageIndex(static_cast<int>(v)); });
}

// --- TMenu

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(this)) {}

TMenu::~TMenu() {
  // The items go first, while the menu they report to is whole.
  items_.reset();
}

void TMenu::ItemsChanged() {
  // The root item reports its last changes while the menu is destroyed.
  if (!items_) return;
  stale_ = true;
  Changed();
}

HMENU TMenu::Handle() {
  if (!handle_ || (stale_ && !showing_)) {
    auto records = std::make_unique<TItemRecords>();
    TOwnedMenu fresh = BuildHandle(*records);
    retired_ = std::move(handle_);
    handle_ = std::move(fresh);
    retired_records_ = std::move(records_);
    records_ = std::move(records);
    stale_ = false;
  }
  return handle_.Get();
}

void TMenu::SetOwnerDraw(bool owner_draw) {
  if (owner_draw == owner_draw_) return;
  owner_draw_ = owner_draw;
  ItemsChanged();
}

void TMenu::SetImages(const TImageList* images) {
  if (images == images_) return;
  images_ = images;
  // Owner-drawn items are measured anew only in a new handle.
  ItemsChanged();
}

TOwnedMenu TMenu::BuildHandle(TItemRecords& records) const {
  TOwnedMenu menu(IsMenuBar() ? CreateMenu() : CreatePopupMenu());
  if (menu) FillMenu(menu.Get(), *items_, records);
  return menu;
}

void TMenu::FillMenu(HMENU menu, const TMenuItem& parent, TItemRecords& records) const {
  UINT position = 0;
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem& item = *parent.Items(i);
    if (!item.Visible()) continue;
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
    info.fType = item.IsLine() ? MFT_SEPARATOR : MFT_STRING;
    if (owner_draw_) info.fType |= MFT_OWNERDRAW;
    if (item.RadioItem()) info.fType |= MFT_RADIOCHECK;
    info.fState = (item.Enabled() ? MFS_ENABLED : MFS_GRAYED) |
                  (item.Checked() ? MFS_CHECKED : MFS_UNCHECKED);
    info.wID = item.Command();
    // The text is kept for owner-drawn items too: the system finds their
    // access keys in it, and screen readers read it.
    std::wstring text = item.Caption();
    if (!item.ShortCutText().empty()) text += L'\t' + item.ShortCutText();
    auto record = std::make_unique<TItemRecords::TRecord>();
    record->text = item.IsLine() ? std::wstring() : text;
    record->item = &item;
    record->msaa.dwMSAASignature = MSAA_MENU_SIG;
    record->msaa.cchWText = static_cast<DWORD>(record->text.size());
    record->msaa.pszWText = record->text.data();
    info.dwItemData = reinterpret_cast<ULONG_PTR>(record.get());
    records.records.push_back(std::move(record));
    if (!item.IsLine()) {
      info.fMask |= MIIM_STRING;
      info.dwTypeData = text.data();
    }
    TOwnedMenu sub;
    if (item.Count() > 0) {
      sub.Reset(CreatePopupMenu());
      FillMenu(sub.Get(), item, records);
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = sub.Get();
    }
    if (InsertMenuItemW(menu, position, TRUE, &info)) {
      sub.Release();  // the parent menu destroys it from now on
      ++position;
    }
  }
}

TMenuItem* TMenu::FindItem(UINT command) const {
  // Depth first over the tree; menus are small.
  std::vector<const TMenuItem*> pending{items_.get()};
  while (!pending.empty()) {
    const TMenuItem* parent = pending.back();
    pending.pop_back();
    for (int i = 0; i < parent->Count(); ++i) {
      TMenuItem* item = parent->Items(i);
      if (item->Command() == command) return item;
      pending.push_back(item);
    }
  }
  return nullptr;
}

TMenuItem* TMenu::FindShortCut(TShortCut short_cut) const {
  if (short_cut == 0) return nullptr;
  // Only branches that can be reached are searched.
  std::vector<const TMenuItem*> pending{items_.get()};
  while (!pending.empty()) {
    const TMenuItem* parent = pending.back();
    pending.pop_back();
    for (int i = 0; i < parent->Count(); ++i) {
      TMenuItem* item = parent->Items(i);
      if (!item->Enabled() || !item->Visible() || item->IsLine()) continue;
      if (item->ShortCut() == short_cut) return item;
      pending.push_back(item);
    }
  }
  return nullptr;
}

TMenuItem* TMenu::ItemFromData(ULONG_PTR data) const {
  // The item data of our handles point at records of our items; the item
  // pointer of a record is only compared, never followed, until it is found
  // in the tree.
  const TItemRecords::TRecord* record = nullptr;
  for (const TItemRecords* set : {records_.get(), retired_records_.get()}) {
    if (!set) continue;
    for (const auto& r : set->records) {
      if (reinterpret_cast<ULONG_PTR>(r.get()) == data) record = r.get();
    }
  }
  if (!record) return nullptr;
  std::vector<TMenuItem*> pending{items_.get()};
  while (!pending.empty()) {
    TMenuItem* parent = pending.back();
    pending.pop_back();
    for (int i = 0; i < parent->Count(); ++i) {
      TMenuItem* item = parent->Items(i);
      if (item == record->item) return item;
      pending.push_back(item);
    }
  }
  return nullptr;
}

bool TMenu::InMenuBar(const TMenuItem& item) const {
  return IsMenuBar() && item.Parent() == items_.get();
}

TMenuPainter& TMenu::Painter() {
  if (!painter_) painter_ = std::make_unique<TMenuPainter>();
  return *painter_;
}

int TMenu::PlainDpi() const {
  return popup_dpi_ > 0 ? popup_dpi_ : PopupMenuDpi();
}

void TMenu::MeasurePlain(const TMenuItem& item, HDC dc, int& width, int& height) {
  const int dpi = PlainDpi();
  TSelectObject font(dc, Painter().Font(dpi));
  Painter().Measure(item, dc, images_, InMenuBar(item), dpi, width, height);
}

bool TMenu::DispatchMeasureItem(MEASUREITEMSTRUCT& measure) {
  if (measure.CtlType != ODT_MENU) return false;
  TMenuItem* item = ItemFromData(measure.itemData);
  if (!item) return false;
  // The system measures a popup's items one after another as it opens:
  // one DC serves them all.
  if (!measure_dc_) {
    measure_dc_.emplace(nullptr);
    popup_dpi_ = PopupMenuDpi();
  }
  const HDC dc = measure_dc_->Get();
  int width = 0, height = 0;
  if (OnMeasureItem && OnDrawItem) {
    OnMeasureItem(*item, dc, width, height);
  } else {
    MeasurePlain(*item, dc, width, height);
    if (OnMeasureItem) OnMeasureItem(*item, dc, width, height);
  }
  measure.itemWidth = static_cast<UINT>(std::max(width, 0));
  measure.itemHeight = static_cast<UINT>(std::max(height, 0));
  return true;
}

bool TMenu::DispatchDrawItem(const DRAWITEMSTRUCT& draw) {
  if (draw.CtlType != ODT_MENU) return false;
  TMenuItem* item = ItemFromData(draw.itemData);
  if (!item) return false;
  // The popup's items are all measured once it draws.
  measure_dc_.reset();
  // The system goes on drawing in this DC after us.
  const int saved = SaveDC(draw.hDC);
  if (OnDrawItem) {
    OnDrawItem(*item, draw.hDC, draw.rcItem, draw.itemState);
  } else {
    Painter().Draw(*item, draw.hDC, draw.rcItem, draw.itemState, images_, InMenuBar(*item),
                   PlainDpi());
  }
  RestoreDC(draw.hDC, saved);
  if (OnDrawItem && draws_arrows_ && item->Count() > 0 && !InMenuBar(*item)) {
    // The system draws its arrow into the same DC after us.
    ExcludeClipRect(draw.hDC, draw.rcItem.left, draw.rcItem.top, draw.rcItem.right,
                    draw.rcItem.bottom);
  }
  return true;
}

bool TMenu::DispatchCommand(UINT command) {
  TMenuItem* item = FindItem(command);
  if (!item) return false;
  item->Click();
  return true;
}

void TMenu::DescribeProperties(TPropertyTable& table) {
  TComponent::DescribeProperties(table);
  table.Enum(
      "OwnerDraw", {"False", "True"}, [this] { return owner_draw_ ? 1 : 0; },
      [this](std::int64_t v) { SetOwnerDraw(v != 0); });
}

// --- short cuts

namespace {

const wchar_t* KeyName(unsigned key) {
  struct TKeyName {
    unsigned key;
    const wchar_t* name;
  };
  static constexpr TKeyName kNames[] = {
      {VK_BACK, L"BkSp"},   {VK_TAB, L"Tab"},    {VK_RETURN, L"Enter"}, {VK_ESCAPE, L"Esc"},
      {VK_SPACE, L"Space"}, {VK_PRIOR, L"PgUp"}, {VK_NEXT, L"PgDn"},    {VK_END, L"End"},
      {VK_HOME, L"Home"},   {VK_LEFT, L"Left"},  {VK_UP, L"Up"},        {VK_RIGHT, L"Right"},
      {VK_DOWN, L"Down"},   {VK_INSERT, L"Ins"}, {VK_DELETE, L"Del"}};
  for (const TKeyName& known : kNames) {
    if (known.key == key) return known.name;
  }
  return nullptr;
}

}  // namespace

std::wstring ShortCutToText(TShortCut short_cut) {
  const unsigned key = short_cut & 0xFF;
  if (key == 0) return {};
  std::wstring name;
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
    name = std::wstring(1, static_cast<wchar_t>(key));
  } else if (key >= VK_F1 && key <= VK_F24) {
    name = L"F" + std::to_wstring(key - VK_F1 + 1);
  } else if (const wchar_t* known = KeyName(key)) {
    name = known;
  } else {
    // Punctuation keys as the keyboard layout names them.
    const UINT ch = MapVirtualKeyW(key, MAPVK_VK_TO_CHAR) & 0xFFFF;
    if (ch == 0) return {};
    name = std::wstring(1, static_cast<wchar_t>(ch));
  }
  std::wstring text;
  if (short_cut & scCtrl) text += L"Ctrl+";
  if (short_cut & scShift) text += L"Shift+";
  if (short_cut & scAlt) text += L"Alt+";
  return text + name;
}

TShortCut ShortCutOfKey(unsigned key) {
  if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key == 0 || key > 0xFF) return 0;
  TShortCut short_cut = key;
  if (GetKeyState(VK_SHIFT) < 0) short_cut |= scShift;
  if (GetKeyState(VK_CONTROL) < 0) short_cut |= scCtrl;
  if (GetKeyState(VK_MENU) < 0) short_cut |= scAlt;
  return short_cut;
}

// --- TMainMenu

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

TMainMenu::~TMainMenu() {
  // Off the form's window before the handle goes.
  if (form_) form_->MenuDestroying(this);
}

void TMainMenu::Changed() {
  // A showing bar is left alone; the form catches up when its menus close.
  if (form_ && !Showing()) form_->MenuChanged();
}

// --- TPopupMenu

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

TPopupMenu::~TPopupMenu() {
  *alive_ = false;
  // Freed while it shows: the menu's loop is asked to end, and the Popup
  // call under it returns without touching this object again.
  if (Showing()) EndMenu();
}

bool TPopupMenu::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_MEASUREITEM:
      if (!DispatchMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) return false;
      result = TRUE;
      return true;
    case WM_DRAWITEM:
      if (!DispatchDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return false;
      result = TRUE;
      return true;
    case WM_COMMAND:
      if (HIWORD(wp) != 0 || lp != 0 || !DispatchCommand(LOWORD(wp))) return false;
      result = 0;
      return true;
    default:
      return false;
  }
}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  if (!window_) {
    window_ = std::make_unique<TMessageWindow>(
        [this](UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
          return HandleMessage(msg, wp, lp, result);
        },
        TMessageWindowKind::HiddenTopLevel);
  }
  HMENU menu = Handle();
  if (!menu) return;
  HWND owner = window_->Handle();
  // The menu's thread must be the foreground one, or the keyboard keeps
  // going elsewhere and a click outside does not close the menu. When a
  // window of this thread is in front already it stays active (its frame
  // must not turn inactive while its own menu shows); otherwise the menu's
  // owner comes to the front.
  const HWND front = GetForegroundWindow();
  const bool forced = !front || GetWindowThreadProcessId(front, nullptr) != GetCurrentThreadId();
  if (forced) SetForegroundWindow(owner);
  SetShowing(true);
  const std::shared_ptr<bool> alive = alive_;
  const UINT command = static_cast<UINT>(TrackPopupMenuEx(
      menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, owner, nullptr));
  if (!*alive) {
    if (forced) PostMessageW(owner, WM_NULL, 0, 0);
    return;
  }
  SetShowing(false);
  // The system's rule after a menu of a foreground-forced window: a message
  // to it, so that the next menu opens and closes normally.
  if (forced) PostMessageW(owner, WM_NULL, 0, 0);
  // The command comes back rather than as WM_COMMAND, so that the item's
  // handler runs once, here, with the menu closed.
  if (command != 0) DispatchCommand(command);
}
