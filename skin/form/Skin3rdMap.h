#pragma once
// The class mapping list of the skin data ("Skin3rd"): lines of a class
// name, "=" and the kind of skinning the class gets, for controls the
// skinning knows only by name.
#include <optional>
#include <string>
#include <string_view>

#include "framework/StringList.h"

// The kind the first line for `class_name` gives (compared without case):
// the lower-cased text after the line's first "=", at most 50 characters.
// No line for the class: nothing.
std::optional<std::string> Skin3rdKind(const TStringList& lines, std::string_view class_name);
