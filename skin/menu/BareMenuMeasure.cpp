#include "skin/menu/BareMenuMeasure.h"

#include "skin/form/WinSkinForm.h"
#include "skin/menu/SkinMenuItemPainter.h"

TBareMenuMeasure& TBareMenuMeasure::Of(TWinSkinForm& engine) {
  if (TBareMenuMeasure* found = Find(engine)) return *found;
  return OwnedComponent<TBareMenuMeasure>(engine);
}

TBareMenuMeasure* TBareMenuMeasure::Find(const TWinSkinForm& engine) {
  for (int i = 0; i < engine.ComponentCount(); ++i) {
    if (auto* measure = dynamic_cast<TBareMenuMeasure*>(engine.Components(i))) return measure;
  }
  return nullptr;
}

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
