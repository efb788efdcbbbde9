#pragma once
// The skinned menu bar of a window: TWinSkinMenu reads the window's menu
// into one TMenuBtn per top-level item, takes the menu off the window (so
// the system neither draws nor tracks a menu bar of its own) and draws the
// bar in the menu line that the form engine reserves under the caption.
// Pressing a button opens its item's drop-down with TrackPopupMenu; while
// it shows, a thread message-filter hook lets the mouse and the arrow keys
// move to the neighbouring drop-downs as on a system menu bar.
//
// Owner: the form engine (TWinSkinForm). The bar keeps the menu handle it
// took off the window and gives it back at Detach. Items of a framework
// menu are never held: they are looked up by command when needed, so a
// menu that changes or goes away leaves nothing dangling.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/GdiObjects.h"
#include "skin/form/CaptionButtons.h"

class TMainMenu;
class TMenuItem;
class TSkinData;
class TWinSkinForm;
class TWinSkinMenu;

// One top-level item of the bar.
class TMenuBtn : public TNCObject {
 public:
  TMenuBtn(TWinSkinForm& engine, TWinSkinMenu& bar) : TNCObject(engine), bar_(bar) {}

  // Hot and pressed feedback on the window.
  void Paint() override;

  int Index = 0;
  // The item's text with its "&" access-key marker.
  std::wstring Caption;
  bool Enabled = true;
  HMENU Submenu = nullptr;
  UINT Command = 0;
  // A bitmap item (a maximised MDI child's system menu) has no caption.
  bool Bitmap = false;

 private:
  TWinSkinMenu& bar_;
};

class TWinSkinMenu {
 public:
  // `menu` is the form's menu bar component (null for bare windows);
  // `handle` the window's menu handle.
  TWinSkinMenu(TWinSkinForm& engine, TMainMenu* menu, HMENU handle);
  ~TWinSkinMenu();
  TWinSkinMenu(const TWinSkinMenu&) = delete;
  TWinSkinMenu& operator=(const TWinSkinMenu&) = delete;

  // Reads the window's menu (or `handle` when given) into buttons and
  // takes the menu off the window.
  void Rebuild(HMENU handle = nullptr);
  // One button per item of the framework menu.
  void RebuildFromItems();
  // After an MDI child put its menu into the frame: the window's menu,
  // completed from the framework's items where its texts are empty.
  void RebuildMdi();
  // Button rectangles from the engine's frame, without painting.
  void Layout();
  // The height of the menu line under the caption at `dpi`: the system's
  // menu bar height there, and at least what the menu font of that DPI
  // needs.
  static int LineHeight(int dpi);
  // Draws the bar into `dc` (the window's DC) at `rect`, frame coordinates.
  void Paint(HDC dc, const RECT& rect);
  // Repaints the bar on the window (a hot button, new underlines).
  void Repaint();
  // The button under a frame point; buttons with no caption are never hit.
  TMenuBtn* ButtonAt(POINT frame_point) const;
  // The first visible, enabled button whose caption has `key` as access
  // key, or null.
  TMenuBtn* ButtonForKey(wchar_t key) const;

  // Posts the item's click and opens its drop-down; runs until it closed.
  // Answers whether a drop-down was opened.
  bool OpenPopup(TMenuBtn* button);
  // Closes the open drop-down and has `button`'s open next; one the
  // keyboard moved to opens with access-key underlines.
  void SwitchTo(TMenuBtn* button, bool by_keyboard = false);
  // The button a switch's posted press is for (once), or null.
  TMenuBtn* TakePendingSwitch();
  // The bar whose drop-down shows now, or null.
  static const TWinSkinMenu* Tracking();

  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  TMenuBtn* Button(int index) const;
  HMENU MenuHandle() const { return menu_handle_; }
  // The drop-down showing now, or null.
  HMENU TrackedPopup() const { return tracked_popup_; }
  // Whether the bar is laid out right to left.
  bool RightToLeft() const;
  // Shows access-key underlines whatever the system's setting (while the
  // keyboard drives the bar).
  void SetKeyboardCues(bool on);
  // Whether the keyboard drives the bar (its drop-down was opened with a
  // key): its items then show their access-key underlines.
  bool KeyboardCues() const { return keyboard_cues_; }
  // The window shows keyboard cues (system setting, or the window's state).
  bool ShowsUnderlines() const;
  // The menu handle belongs to the bar from now on (bare windows whose
  // window ends while skinned).
  void DestroyTakenMenu();

  // --- the drop-down hook (SkinMenuHook.cpp)
  static LRESULT CALLBACK MenuHookProc(int code, WPARAM wp, LPARAM lp);

 private:
  friend class TMenuBtn;
  struct TBarRect {
    int left = 0, top = 0, right = 0, bottom = 0;
  };
  void Clear();
  TBarRect BarRect() const;
  int StartOffset(const TBarRect& bar) const;
  void PaintButtonCaption(HDC dc, const TMenuBtn& button, const RECT& r) const;
  void PaintButton(TMenuBtn& button);
  void PaintMdiButtons(TBitmap& work, const TBarRect& bar) const;
  void MakeOwnerDrawn(HMENU menu, int depth) const;
  TMenuItem* ItemOf(UINT command) const;
  // A button for the item at `position` of the menu handle; null when the
  // item cannot be read.
  std::unique_ptr<TMenuBtn> ButtonFromHandle(int position);
  // The framework item's caption, state and (no) submenu for the button.
  static void TakeItem(TMenuBtn& button, const TMenuItem& item);
  bool ItemIsUsable(TMenuItem* item) const;
  void InstallHook();
  void RemoveHook();
  // The menu font at the window's DPI now.
  HFONT Font();
  int Dpi() const;
  int Scale(int value) const;

  TWinSkinForm& engine_;
  TMainMenu* menu_;  // borrowed: the form's menu, checked before each use
  HMENU menu_handle_ = nullptr;
  bool owns_handle_ = false;
  std::vector<std::unique_ptr<TMenuBtn>> buttons_;
  TBarRect bar_;
  // The bar's background as last painted: single buttons are repainted
  // over their part of it.
  TBitmap background_;
  bool painting_ = false;
  TOwnedFont font_;
  int font_dpi_ = 0;
  bool keyboard_cues_ = false;
  HMENU tracked_popup_ = nullptr;
  // The button SwitchTo's posted press opens, or -1.
  int pending_switch_ = -1;
  bool pending_by_keyboard_ = false;
};
