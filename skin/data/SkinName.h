#pragma once
// The name a skin gives itself in its definition ("Name" in section
// "Skin"), read straight from a skin package without building its objects.
#include <string>

class TMemoryStream;

// The skin's own name, or "" for a package that does not open or names
// nothing. The stream's position is left at 0.
std::string ReadSkinName(TMemoryStream& package);
