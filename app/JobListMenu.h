#pragma once
// TJobListMenu: the job list's context menu. A right click on the list (or
// the menu key, Shift+F10) opens "上移", "下移", "删除" and "清空", which run
// the main window's handlers; each is enabled only when it applies to the
// list and the selection, and none while the window waits for a probe or a
// batch.
//
// Owner: the main window. The popup-menu component belongs to the window as
// its other components do (the skin engine finds and skins it there); the
// layer on the list's window method comes off with this object.
#include <windows.h>

#include "framework/Menus.h"
#include "framework/WndMethodLayer.h"

class TFrmMain;

class TJobListMenu {
 public:
  explicit TJobListMenu(TFrmMain& form);
  ~TJobListMenu();
  TJobListMenu(const TJobListMenu&) = delete;
  TJobListMenu& operator=(const TJobListMenu&) = delete;

  TPopupMenu& Menu() const { return *menu_; }
  TMenuItem& MoveUpItem() const { return *up_; }
  TMenuItem& MoveDownItem() const { return *down_; }
  TMenuItem& DeleteItem() const { return *delete_; }
  TMenuItem& ClearItem() const { return *clear_; }
  // Enables each item as the list and the window stand now.
  void UpdateItems();

 private:
  void ListMessage(TMessage& m);
  // Opens the menu at a screen point (the keyboard's: by the selected row).
  void Show(POINT screen, bool from_keyboard);

  TFrmMain& form_;
  TPopupMenu* menu_ = nullptr;  // owned by the form
  TMenuItem* up_ = nullptr;
  TMenuItem* down_ = nullptr;
  TMenuItem* delete_ = nullptr;
  TMenuItem* clear_ = nullptr;
  TWndMethodLayer layer_;
};
