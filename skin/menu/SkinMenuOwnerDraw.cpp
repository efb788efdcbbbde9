#include "skin/menu/SkinMenuOwnerDraw.h"

#include <windows.h>

#include <memory>
#include <string>

#include "framework/Dpi.h"
#include "framework/Form.h"
#include "framework/Menus.h"
#include "skin/data/WinSkinData.h"
#include "skin/menu/MenuFont.h"
#include "skin/menu/SkinMenuItemPainter.h"

namespace {

// The menu fonts a menu's items are measured with, made once per DPI
// rather than once per item each time the menu opens; and the DPI the
// popup being measured is shown at, asked once per popup (at its first
// item: the system measures a popup's items in order, each time it opens)
// rather than once per item.
struct TMeasureFonts {
  int popup_dpi = 0;
  int PopupDpi(const TMenuItem& item) {
    const TMenuItem* parent = item.Parent();
    if (popup_dpi <= 0 || !parent || parent->Count() == 0 || parent->Items(0) == &item) {
      popup_dpi = PopupMenuDpi();
    }
    return popup_dpi;
  }
  TMenuFontPair fonts;
};

// The drawing event the painter puts on a menu; it remembers whether it
// turned owner drawing on, so that switching off gives the menu back as it
// was.
struct TSkinnedDraw {
  TSkinData* data = nullptr;
  bool turned_owner_draw_on = false;
  // Shared with the menu's skinned measuring event, when it has one: items
  // are drawn at the DPI they were measured at.
  std::shared_ptr<TMeasureFonts> measured;
  void operator()(TMenuItem& item, HDC dc, const RECT& rect, UINT state) const {
    const TMenu* menu = item.Menu();
    if (menu && menu->InMenuBar(item)) {
      // A bar left to the system (no skinned bar): its captions plain.
      RECT r = rect;
      FillRect(dc, &r, GetSysColorBrush(COLOR_MENU));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
      const std::wstring caption = item.Caption();
      DrawTextW(dc, caption.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      return;
    }
    const int dpi = measured && measured->popup_dpi > 0 ? measured->popup_dpi : PopupMenuDpi();
    TSkinMenuItemPainter(*data, dpi).Draw(DescribeItem(item), dc, rect, state);
  }
};

struct TSkinnedMeasure {
  TSkinData* data = nullptr;
  // Shared by the copies the menu's event keeps; freed with the last.
  std::shared_ptr<TMeasureFonts> fonts = std::make_shared<TMeasureFonts>();
  void operator()(TMenuItem& item, HDC dc, int& width, int& height) const {
    TMenu* menu = item.Menu();
    if (menu && menu->InMenuBar(item)) {
      // A bar left to the system shows its captions plain (see the draw).
      menu->MeasurePlain(item, dc, width, height);
      return;
    }
    // Measured at the DPI the item is drawn at (the window the menu opens
    // for), in the menu font of that DPI.
    const int dpi = fonts->PopupDpi(item);
    const TSkinMenuItem look = DescribeItem(item);
    TSkinMenuItemPainter(*data, dpi)
        .Measure(look, width, height, dc, fonts->fonts.Get(dpi, look.is_default));
  }
};

bool ScreenReaderRuns() {
  BOOL on = FALSE;
  return SystemParametersInfoW(SPI_GETSCREENREADER, 0, &on, 0) && on;
}

void SwitchMenu(TMenu& menu, TSkinData& data, bool on) {
  auto* draw = menu.OnDrawItem.target<TSkinnedDraw>();
  if (on) {
    if (ScreenReaderRuns()) return;
    if (draw) {
      draw->data = &data;
      if (auto* measure = menu.OnMeasureItem.target<TSkinnedMeasure>()) measure->data = &data;
      return;
    }
    if (menu.OnDrawItem) return;  // the owner draws its items itself
    TSkinnedDraw skinned{&data, !menu.OwnerDraw(), nullptr};
    if (!menu.OnMeasureItem) {
      TSkinnedMeasure measure{&data};
      skinned.measured = measure.fonts;
      menu.OnMeasureItem = measure;
    }
    menu.OnDrawItem = skinned;
    menu.SetDrawsSubmenuArrows(true);
    if (menu.OwnerDraw()) {
      // The system keeps the sizes it measured for a handle: a new one is
      // built with the painter's.
      menu.SetOwnerDraw(false);
    }
    menu.SetOwnerDraw(true);
    return;
  }
  if (!draw) return;
  const bool turned_on = draw->turned_owner_draw_on;
  menu.OnDrawItem = nullptr;
  if (menu.OnMeasureItem.target<TSkinnedMeasure>()) menu.OnMeasureItem = nullptr;
  menu.SetDrawsSubmenuArrows(false);
  menu.SetOwnerDraw(false);
  if (!turned_on) menu.SetOwnerDraw(true);
}

}  // namespace

void SetItemPainter(TMenu& menu, TSkinData& data, bool on) {
  SwitchMenu(menu, data, on);
}

bool HasItemPainter(const TMenu& menu) {
  return menu.OnDrawItem.target<TSkinnedDraw>() != nullptr;
}

void SetPopupOwnerDraw(TComponent& owner, TSkinData& data, bool on) {
  for (int i = 0; i < owner.ComponentCount(); ++i) {
    TComponent* component = owner.Components(i);
    if (auto* form = dynamic_cast<TForm*>(component)) {
      SetPopupOwnerDraw(*form, data, on);
      continue;
    }
    auto* popup = dynamic_cast<TPopupMenu*>(component);
    if (!popup) continue;
    if (on && (popup->Tag() == data.DisableTag() || !data.SkinControls().Contains(xcPopupMenu))) {
      continue;
    }
    SwitchMenu(*popup, data, on);
  }
}

void SetMainMenuOwnerDraw(TComponent& owner, TSkinData& data, bool on) {
  for (int i = 0; i < owner.ComponentCount(); ++i) {
    // The bar's own items are drawn by the skinned menu bar; the framework
    // painter leaves them plain, the skinned painter draws the drop-downs.
    if (auto* menu = dynamic_cast<TMainMenu*>(owner.Components(i))) SwitchMenu(*menu, data, on);
  }
}
