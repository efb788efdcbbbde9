#include "skin/controls/SkinProps.h"

#include "framework/StringList.h"
#include "framework/Unicode.h"

int PropInt(TPersistent* object, std::string_view name) {
  if (!object) return -1;
  const std::optional<TPropKind> kind = PropKind(*object, name);
  if (kind != TPropKind::pkInteger) return -1;
  return static_cast<int>(GetIntProp(*object, name));
}

std::string PropEnum(TPersistent* object, std::string_view name) {
  return object ? GetEnumPropName(*object, name) : std::string();
}

std::wstring PropText(TPersistent* object, std::string_view name) {
  if (!object || PropKind(*object, name) != TPropKind::pkText) return {};
  return Utf8ToWide(GetTextProp(*object, name));
}

void WriteProp(TPersistent* object, std::string_view name, const std::string& text) {
  if (object) SetPropText(*object, name, text);
}

bool HasProp(TPersistent* object, std::string_view name) {
  return object && IsPublishedProp(*object, name);
}

bool PropTrue(TPersistent* object, std::string_view name) {
  return AsciiEqualNoCase(PropEnum(object, name), "true");
}
