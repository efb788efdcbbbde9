#pragma once
// TWinSkinPopMenu: the skinned look of one popup-menu window (class
// "#32768"). The skin manager attaches one when the system creates such a
// window; it subclasses the window and paints its border and background
// from the skin's MenuBackground image, keeps that background as a bitmap
// (the item painter copies each item's backdrop from it), and lets the
// system draw the items, owner-drawn, into the area of the items only.
//
// A popup whose menu has no owner-drawn items (a menu left unskinned, a
// control's own context menu) keeps the system's look entirely, as does
// every popup while the manager is not skinning or the skin has no menu
// background image.
//
// Owner: the skin manager (its list of popups). The subclass comes off at
// Unhook (the window's end, or the manager's); while a call of the object
// is on the stack the manager keeps it (Busy) until that call returned.
#include <windows.h>

#include "framework/Bitmap.h"
#include "framework/GdiObjects.h"
#include "framework/Subclass.h"
#include "skin/controls/BackBuffer.h"
#include "skin/menu/MenuFont.h"

class TDataSkinObject;
class TSkinData;
class TSkinManage;

class TWinSkinPopMenu {
 public:
  explicit TWinSkinPopMenu(TSkinManage& manager) : manager_(manager) {}
  ~TWinSkinPopMenu() { Unhook(); }
  TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
  TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

  // Subclasses the popup window; false when the system refuses.
  bool Hook(HWND window, TSkinData* data, HMENU menu);
  // Gives the window its procedure back and lets go of the background.
  void Unhook();

  HWND Handle() const { return handle_; }
  TSkinData* SkinData() const { return data_; }
  HMENU Menu() const { return menu_; }
  void SetMenu(HMENU menu) { menu_ = menu; }
  // The background at the window's size as last painted (empty before).
  const TBitmap& Background() const { return background_; }
  // Where the client area's origin lies in the background.
  POINT ClientOffset() const;
  // What the item painter draws with while it draws this popup's items:
  // the menu font at `dpi` (bold for the default item) and an off-screen
  // buffer, made once for all the items.
  HFONT ItemFont(bool bold, int dpi);
  TBackBuffer& ItemBuffer() { return item_buffer_; }
  // Cell `cell` of the skin's 5-cell menu-item image rendered at an item's
  // size and `dpi`: the items of a popup are mostly of one size, so each
  // look is rendered once for all of them rather than once per item.
  const TBitmap& ItemCell(const TDataSkinObject& object, int width, int height, int cell, int dpi);
  // Whether the popup is drawn with the skin now (see above).
  bool Skinned();
  bool Busy() const { return busy_ > 0; }
  // The menu-bar drop-down mark (nothing reads it).
  bool DropDown = false;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                               DWORD_PTR ref);
  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
  // Renders the background at the window's size into background_; false
  // without a background image.
  bool RenderBackground();
  void PaintBorder();
  // Background and items into `dc` (client coordinates).
  void PaintClient(HDC dc);
  // The menu shown, asked of the window once it knows it.
  HMENU ShownMenu();
  // The union of the item rectangles, client coordinates (owned by caller).
  HRGN ItemRegion();

  TSkinManage& manager_;
  TWindowSubclass subclass_;
  HWND handle_ = nullptr;
  TSkinData* data_ = nullptr;
  HMENU menu_ = nullptr;
  TBitmap background_;
  // What background_ was rendered from, so it is rendered again only when
  // the size, the DPI or the skin's image changed.
  struct TRendered {
    int width = 0, height = 0, dpi = 0;
    const void* object = nullptr;
    const void* pixels = nullptr;
  } rendered_;
  // The item cells last rendered, by look (at rest, selected).
  struct TItemCell {
    int width = 0, height = 0, cell = 0, dpi = 0;
    const void* object = nullptr;
    const void* pixels = nullptr;
    TBitmap image;
  } item_cells_[2];
  TMenuFontPair fonts_;
  TBackBuffer item_buffer_;
  // Whether the shown menu has owner-drawn items: decided once known.
  int owner_drawn_ = -1;
  int busy_ = 0;
};
