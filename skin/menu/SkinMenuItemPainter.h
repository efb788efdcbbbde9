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
//
// Items are measured and drawn at one DPI, given to the painter: the skin's
// cells are scaled to it, and so are the glyph box, the marks, the arrow,
// the gaps and the font, so an item measured at a DPI holds what is drawn
// at that DPI.
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

// `caption` as it shows without access-key underlines: each "&" marker
// taken out, "&&" shown as one "&". Drawn with DT_NOPREFIX, it hides the
// underlines everywhere (not every DrawText honours DT_HIDEPREFIX).
std::wstring WithoutAccessMarkers(const std::wstring& caption);

// The item of a framework menu as the painter sees it.
TSkinMenuItem DescribeItem(const TMenuItem& item);
// The item at `position` of a menu handle (state, type, text with its short
// cut after a tab, submenu); a separator when it cannot be read.
TSkinMenuItem DescribeItem(HMENU menu, UINT position);

class TSkinMenuItemPainter {
 public:
  TSkinMenuItemPainter(const TSkinData& data, int dpi) : data_(data), dpi_(dpi) {}

  // The size of the item in a skinned popup (the system adds nothing but
  // its check-mark column, which the item's own glyph box makes room for).
  // `dc` is a DC to measure with (its font is not used: the menu font of
  // the painter's DPI is); null makes one. `font`, when given, is that
  // font (bold for a default item), kept by the caller for many items.
  void Measure(const TSkinMenuItem& item, int& width, int& height, HDC dc = nullptr,
               HFONT font = nullptr) const;
  // Draws the item into `rect` of `dc` in the state given by the ODS_...
  // flags of a WM_DRAWITEM. When `dc` draws on (or for) a skinned popup,
  // the backdrop comes from that popup's background.
  void Draw(const TSkinMenuItem& item, HDC dc, const RECT& rect, UINT state) const;

  // Whether access-key underlines show for an item in `state`: always when
  // the user asked for them always (the system sends ODS_NOACCEL even
  // then); in a skinned bar's drop-down when a key opened it; otherwise as
  // the system's state says.
  static bool ShowsAccessKeys(UINT state);

 private:
  int Scale(int value) const;

  const TSkinData& data_;
  int dpi_;
};
