#include "skin/data/SkinName.h"

#include "framework/Streams.h"
#include "skin/packages/QuickIni.h"
#include "skin/packages/SkinReader.h"

std::string ReadSkinName(TMemoryStream& package) {
  package.SetPosition(0);
  TSkinReader reader;
  const bool opened = reader.Load(package);
  package.SetPosition(0);
  if (!opened) return {};
  TMemoryStream definition;
  std::string found;
  reader.FindFile(".ini", definition, found);
  if (definition.Size() == 0) return {};
  definition.SetPosition(0);
  TQuickIni ini;
  ini.LoadFromStream(&definition);
  return ini.ReadString("Skin", "Name", "");
}
