#include "skin/menu/BareMenuMeasure.h"

#include "skin/menu/SkinMenuItemPainter.h"

void TBareMenuMeasure::Measure(const TSkinData& data, int dpi, const TSkinMenuItem& item,
                               int& width, int& height) {
  HDC dc = nullptr;
  HFONT font = nullptr;
  // A separator's size needs neither.
  if (!item.separator) {
    if (!dc_) dc_.emplace(nullptr);
    dc = dc_->Get();
    font = fonts_.Get(dpi, item.is_default);
  }
  TSkinMenuItemPainter(data, dpi).Measure(item, width, height, dc, font);
}
