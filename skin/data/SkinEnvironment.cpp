#include "skin/data/SkinEnvironment.h"

#include "skin/data/BuiltinBitmaps.h"

bool TPortableSkinPlatform::LoadBitmapResource(const std::string& name, TBitmap& bitmap) const {
  return DrawBuiltinBitmap(name, bitmap);
}
