#pragma once
// Reading and writing properties of controls the skin knows nothing else
// about, by their published names. Unlike the framework's plain accessors,
// these answer what painting code can act on: an integer property that is
// missing (or is not an integer) reads -1, texts come as wide text, and
// writes to properties a control lacks are simply ignored.
#include <string>
#include <string_view>

#include "framework/Persistent.h"

// The integer property `name`; -1 when the object is null or has none.
int PropInt(TPersistent* object, std::string_view name);
// The identifier of an enumeration or boolean property ("True", "blGlyphTop");
// empty when there is none.
std::string PropEnum(TPersistent* object, std::string_view name);
// A text property as wide text; empty when there is none.
std::wstring PropText(TPersistent* object, std::string_view name);
// The object a class-typed property holds when it is a T, else null.
template <class T>
T* PropObject(TPersistent* object, std::string_view name) {
  return object ? dynamic_cast<T*>(GetObjectProp(*object, name)) : nullptr;
}
// Integers take the text as a decimal number, enumerations the identifier,
// texts the text; anything else is ignored.
void WriteProp(TPersistent* object, std::string_view name, const std::string& text);
bool HasProp(TPersistent* object, std::string_view name);
// Whether PropEnum(object, name) is "true" in any letter case.
bool PropTrue(TPersistent* object, std::string_view name);
