#pragma once
// Menus: a tree of items under a menu component, the menu handle built from
// it, owner drawing (the caller's events, or the framework's plain painter),
// the menu bar of a form and popup menus.
//
// Ownership: a menu owns its root item (Items()); every item owns its
// sub-items as components. The menu owns its handle and rebuilds it when
// the items change; whoever shows the handle (a form, TrackPopupMenu) only
// borrows it. Items know their menu and parent; the menu knows the form that
// shows it as its menu bar.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/GdiObjects.h"
#include "framework/MessageWindow.h"
#include "framework/Object.h"

class TForm;
class TImageList;
class TMenu;
class TMenuPainter;

// A short cut: a virtual key with scShift, scCtrl and scAlt as high bits.
using TShortCut = unsigned;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
// As menus show it: "Ctrl+Shift+O", "F5", "Del"; empty for 0.
std::wstring ShortCutToText(TShortCut short_cut);
// The short cut of `key` going down with the modifiers held now; 0 for a
// modifier key itself.
TShortCut ShortCutOfKey(unsigned key);

class TMenuItem : public TComponent {
 public:
  // `owner` is the parent item, or the menu for a menu's root item.
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  // "-" makes the item a separator line.
  std::wstring Caption() const { return caption_; }
  void SetCaption(std::wstring caption);
  bool IsLine() const { return caption_ == L"-"; }
  // Shown right-aligned beside the caption, e.g. L"ALT+F4".
  // The text shown right of the caption: the one set, else the short
  // cut's.
  std::wstring ShortCutText() const;
  void SetShortCutText(std::wstring text);
  // The key that clicks the item anywhere in the form that shows its menu.
  TShortCut ShortCut() const { return short_cut_; }
  void SetShortCut(TShortCut short_cut);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // A hidden item is left out of the menu handle.
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  // A checked radio item shows a round mark instead of the tick.
  bool RadioItem() const { return radio_item_; }
  void SetRadioItem(bool radio);
  // The image of the menu's image list shown left of the caption; -1 none.
  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int index);

  // The command number of the item in the menu handle, unique in the
  // process while the item exists.
  UINT Command() const { return command_; }
  TMenu* Menu() const { return menu_; }
  TMenuItem* Parent() const { return parent_; }

  // Makes a sub-item (owned by this item) at the end and returns it.
  TMenuItem& Add(std::wstring caption);
  int Count() const { return static_cast<int>(items_.size()); }
  // Sub-item `index`; EListError outside 0..Count()-1.
  TMenuItem* Items(int index) const;
  int IndexOf(const TMenuItem* item) const;
  // Destroys every sub-item.
  void Clear();

  // Runs OnClick, for an enabled item that is not a line.
  void Click();
  TNotifyEvent OnClick;

  void DescribeProperties(TPropertyTable& table) override;

 private:
  void Changed();

  TMenu* menu_ = nullptr;
  TMenuItem* parent_ = nullptr;
  std::vector<TMenuItem*> items_;  // owned as components of this item
  std::wstring caption_;
  std::wstring short_cut_text_;
  TShortCut short_cut_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;
  bool radio_item_ = false;
  int image_index_ = -1;
  UINT command_ = 0;
};

class TMenu : public TComponent {
 public:
  using TMeasureItemEvent = std::function<void(TMenuItem& item, HDC dc, int& width, int& height)>;
  using TDrawItemEvent =
      std::function<void(TMenuItem& item, HDC dc, const RECT& rect, UINT item_state)>;

  explicit TMenu(TComponent* owner);
  ~TMenu() override;

  // The root item; its sub-items are the menu's entries.
  TMenuItem& Items() { return *items_; }
  const TMenuItem& Items() const { return *items_; }
  // The menu handle: built from the items when first asked for and again
  // after they changed (not while the menu is showing).
  HMENU Handle();

  // Every item is owner-drawn: by OnMeasureItem/OnDrawItem when assigned,
  // else by the framework's plain painter.
  bool OwnerDraw() const { return owner_draw_; }
  void SetOwnerDraw(bool owner_draw);
  // OnDrawItem draws the arrow of an item with a submenu itself: the
  // system's own arrow, drawn after it, is kept out of the item.
  bool DrawsSubmenuArrows() const { return draws_arrows_; }
  void SetDrawsSubmenuArrows(bool on) { draws_arrows_ = on; }
  // The images the plain painter shows by ImageIndex (borrowed).
  const TImageList* Images() const { return images_; }
  void SetImages(const TImageList* images);

  // An item is measured once, by whoever draws it: when OnDrawItem draws
  // it, OnMeasureItem alone measures it (`width` and `height` come in 0);
  // otherwise they come in with the plain painter's size, for
  // OnMeasureItem to change. `dc` measures text in the font selected into
  // it (the plain painter's, when that measured); it serves all the items
  // of a popup.
  TMeasureItemEvent OnMeasureItem;
  // `item_state` holds the ODS_... flags of the item.
  TDrawItemEvent OnDrawItem;

  // Handle the owner-draw and command messages of this menu's items; they
  // answer false for an item of another menu (or none), so that an owning
  // window can route them on.
  bool DispatchMeasureItem(MEASUREITEMSTRUCT& measure);
  bool DispatchDrawItem(const DRAWITEMSTRUCT& draw);
  bool DispatchCommand(UINT command);
  // The plain painter's size of `item`, measured with `dc`, for an
  // OnMeasureItem that builds on it.
  void MeasurePlain(const TMenuItem& item, HDC dc, int& width, int& height);

  // The item with this command number, or null.
  TMenuItem* FindItem(UINT command) const;
  // The item a short cut clicks: enabled and shown, in a branch that is
  // enabled and shown; null when none.
  TMenuItem* FindShortCut(TShortCut short_cut) const;
  // Whether the item's entries lie in a menu bar rather than a popup.
  bool InMenuBar(const TMenuItem& item) const;

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  // A menu bar's handle is made with CreateMenu, a popup's with
  // CreatePopupMenu.
  virtual bool IsMenuBar() const { return false; }
  // Called after the items or the drawing settings changed.
  virtual void Changed() {}
  // While the handle is showing it is kept even when the items change;
  // Stale() tells that the items changed since it was built.
  void SetShowing(bool showing) {
    showing_ = showing;
    if (!showing) measure_dc_.reset();
  }
  bool Showing() const { return showing_; }
  bool Stale() const { return stale_; }

 private:
  friend class TMenuItem;
  // What each item's data points to: kept with the handle built with them,
  // and with the retired one.
  struct TItemRecords;
  void ItemsChanged();
  TOwnedMenu BuildHandle(TItemRecords& records) const;
  void FillMenu(HMENU menu, const TMenuItem& parent, TItemRecords& records) const;
  TMenuItem* ItemFromData(ULONG_PTR data) const;
  TMenuPainter& Painter();
  // The DPI the plain painter measures and draws a popup's items at.
  int PlainDpi() const;

  std::unique_ptr<TMenuItem> items_;
  TOwnedMenu handle_;
  // The handle before the last rebuild: a window may still show it until
  // it has been given the new one.
  TOwnedMenu retired_;
  bool stale_ = true;
  bool showing_ = false;
  bool owner_draw_ = false;
  bool draws_arrows_ = false;
  const TImageList* images_ = nullptr;
  std::unique_ptr<TItemRecords> records_;
  std::unique_ptr<TItemRecords> retired_records_;
  std::unique_ptr<TMenuPainter> painter_;  // made when first drawn
  // The DC a popup's items are measured with: made for its first item,
  // let go when the popup draws or the menu stops showing.
  std::optional<TOwnedMemoryDC> measure_dc_;
  // The DPI of the popup being measured, asked with its first item; the
  // plain painter draws the items at the DPI they were measured at.
  int popup_dpi_ = 0;
};

// The menu bar of a form (TForm::SetMenu).
class TMainMenu : public TMenu {
 public:
  explicit TMainMenu(TComponent* owner);
  ~TMainMenu() override;

  // The form that shows the menu bar, or null.
  TForm* Form() const { return form_; }

 protected:
  bool IsMenuBar() const override { return true; }
  void Changed() override;

 private:
  friend class TForm;
  TForm* form_ = nullptr;  // borrowed; each side forgets the other when it goes
};

// A menu shown at a point. Its own hidden top-level window owns the menu
// while it shows and receives its messages (WM_INITMENUPOPUP,
// WM_MEASUREITEM, WM_DRAWITEM, WM_COMMAND).
class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;

  // Shows the menu with its top-left corner at (x, y) in screen
  // coordinates and returns once it has closed; the chosen item's OnClick
  // runs then, outside the menu's loop. Works from a form that is not the
  // foreground window.
  void Popup(int x, int y);
  // Before the menu shows.
  TNotifyEvent OnPopup;
  // The owner window of the showing menu (made on first Popup).
  HWND WindowHandle() const { return window_ ? window_->Handle() : nullptr; }
  // False once the menu is destroyed: whoever keeps a pointer to the menu
  // without owning it (a control's drop-down) keeps this too and asks it
  // before touching the menu.
  std::shared_ptr<const bool> Alive() const { return alive_; }

 private:
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

  std::unique_ptr<TMessageWindow> window_;
  // False once the menu is destroyed: a Popup whose menu was freed by a
  // handler running inside the menu's loop (a timer, a closing form) sees
  // it there and touches nothing of it afterwards.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
