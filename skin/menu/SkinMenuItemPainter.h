#pragma once
// The skinned look of one popup-menu item: its backdrop taken from the
// popup's skinned background, the skin's menu-item image (cell 1 at rest,
// cell 4 selected, the lower part of cell 2 for a separator), the glyph box
// with the item's image or its check or radio mark, the caption, the short
// cut at the right and a submenu arrow. Without the skin's menu-item image
// the item is drawn flat in the skin's menu colours. Right-to-left menus
// get the mirrored layout.
//
// The painter knows nothing of where an item comes from: framework menu
// items (TMenuItem), items read from a menu handle (the system menu, the
// drop-downs of a skinned menu bar) and the gallery all describe it as a
// TSkinMenuItem. The painter borrows its skin data; make one where it is
// needed, it holds nothing costly.
#include <windows.h>

#include <string>

#include "framework/GdiObjects.h"

class TImageList;
class TMenuItem;
class TSkinData;

// What one item shows.
struct TSkinMenuItem {
  // With its "&" access-key marker.
  std::wstring caption;
  // Drawn right-aligned, e.g. L"Ctrl+O".
  std::wstring short_cut;
  bool separator = false;
  bool enabled = true;
  bool checked = false;
  // A checked item shows a round mark instead of the tick.
  bool radio = false;
  // The default item is drawn bold.
  bool is_default = false;
  bool submenu = false;
  bool right_to_left = false;
  // The image shown in the glyph box when `image_index` is one of the list.
  const TImageList* images = nullptr;
  int image_index = -1;
};

// The system's menu font, bold for a default item (owned by the caller).
TOwnedFont MakeMenuItemFont(bool bold);

// The item of a framework menu as the painter sees it.
TSkinMenuItem DescribeItem(const TMenuItem& item);
// The item at `position` of a menu handle (state, type, text with its short
// cut after a tab, submenu); a separator when it cannot be read.
TSkinMenuItem DescribeItem(HMENU menu, UINT position);

class TSkinMenuItemPainter {
 public:
  explicit TSkinMenuItemPainter(const TSkinData& data) : data_(data) {}

  // The size of the item in a skinned popup (the system adds nothing but
  // its check-mark column, which the item's own glyph box makes room for).
  // `dc` may carry the menu font already (the framework's measuring DC);
  // null makes one.
  void Measure(const TSkinMenuItem& item, int& width, int& height, HDC dc = nullptr) const;
  // Draws the item into `rect` of `dc` in the state given by the ODS_...
  // flags of a WM_DRAWITEM. When `dc` draws on (or for) a skinned popup,
  // the backdrop comes from that popup's background.
  void Draw(const TSkinMenuItem& item, HDC dc, const RECT& rect, UINT state) const;

  // Whether access-key underlines show for an item in `state`: the system
  // sends ODS_NOACCEL even when the user asked for underlines always.
  static bool ShowsAccessKeys(UINT state);

 private:
  const TSkinData& data_;
};
