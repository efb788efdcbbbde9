#include "skin/menu/SkinMenuItemMessages.h"

#include "framework/Dpi.h"
#include "framework/Form.h"
#include "framework/Menus.h"
#include "skin/data/SkinManage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/WinSkinForm.h"
#include "skin/menu/SkinMenuBar.h"
#include "skin/menu/SkinMenuItemPainter.h"

namespace {

// Command numbers a framework form gives its own items.
constexpr UINT kFirstSystemCommand = 0x1000;

// Depth-first search of a menu tree for the item with `command`; answers
// its menu and position.
bool FindCommand(HMENU menu, UINT command, HMENU& found, UINT& position, int depth = 0) {
  if (!menu || depth > 32) return false;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_SUBMENU;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (info.hSubMenu) {
      if (FindCommand(info.hSubMenu, command, found, position, depth + 1)) return true;
    } else if (info.wID == command) {
      found = menu;
      position = static_cast<UINT>(i);
      return true;
    }
  }
  return false;
}

// Whether a framework form's own menus answer for the item: they draw it
// themselves then (with the skinned painter when it is switched on).
bool FormOwnsItem(const TWinSkinForm& engine, UINT command) {
  TForm* form = engine.Form();
  if (!form) return false;
  if (TMainMenu* menu = form->Menu(); menu && menu->FindItem(command)) return true;
  return command > 0 && command < kFirstSystemCommand;
}

// The position of the item `command` in `menu` (a popup showing now).
bool PositionOf(HMENU menu, UINT command, UINT& position) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (GetMenuItemID(menu, i) == command) {
      position = static_cast<UINT>(i);
      return true;
    }
  }
  return false;
}

}  // namespace

bool HandleMenuItemMessage(TWinSkinForm& engine, UINT msg, LPARAM lp, LRESULT& result) {
  TSkinData* data = engine.SkinData();
  if (!data || data->NotReady() || !lp) return false;
  if (msg == WM_MEASUREITEM) {
    auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
    if (measure.CtlType != ODT_MENU || FormOwnsItem(engine, measure.itemID)) return false;
    HMENU menu = nullptr;
    UINT position = 0;
    const HWND window = engine.Handle();
    // A skinned menu bar holds the window's menu off the window.
    const HMENU bar = engine.MenuBar() ? engine.MenuBar()->MenuHandle() : GetMenu(window);
    if (!FindCommand(bar, measure.itemID, menu, position) &&
        !FindCommand(GetSystemMenu(window, FALSE), measure.itemID, menu, position)) {
      return false;
    }
    int width = 0, height = 0;
    engine.BareMenuMeasure().Measure(*data, WindowDpi(window), DescribeItem(menu, position), width,
                                     height);
    measure.itemWidth = static_cast<UINT>(width);
    measure.itemHeight = static_cast<UINT>(height);
    result = TRUE;
    return true;
  }
  if (msg == WM_DRAWITEM) {
    const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    if (draw.CtlType != ODT_MENU || FormOwnsItem(engine, draw.itemID)) return false;
    const auto menu = reinterpret_cast<HMENU>(draw.hwndItem);
    UINT position = 0;
    if (!IsMenu(menu) || !PositionOf(menu, draw.itemID, position)) return false;
    engine.Manager().AssignPopupMenu(menu);
    engine.BareMenuMeasure().PopupDrawn();
    const TSkinMenuItem item = DescribeItem(menu, position);
    // Drawn at the DPI it was measured at: the window's.
    TSkinMenuItemPainter(*data, WindowDpi(engine.Handle()))
        .Draw(item, draw.hDC, draw.rcItem, draw.itemState);
    if (item.submenu) {
      // The system draws its own arrow into the same DC after us.
      ExcludeClipRect(draw.hDC, draw.rcItem.left, draw.rcItem.top, draw.rcItem.right,
                      draw.rcItem.bottom);
    }
    result = TRUE;
    return true;
  }
  return false;
}
