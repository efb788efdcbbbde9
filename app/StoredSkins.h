#pragma once
// The program's five skins travel inside Tonmill.exe as the resources
// "SKINITEM0" to "SKINITEM4"; they become the items of the main window's
// skin store, in that order. And the one skin environment of the program.
#include <memory>
#include <string>

#include "skin/data/SkinEnvironment.h"
#include "skin/packages/WinSkinStore.h"

// Adds one store item per embedded skin, in resource order, and returns how
// many there were.
int LoadStoredSkins(TSkinStore& store);

// The skin services of the running program: Windows resources, icons and
// brushes, message boxes titled `caption`, and the skin manager.
std::unique_ptr<TSkinEnvironment> MakeProgramSkinEnvironment(const std::wstring& caption);
