#pragma once
// The program's five skins travel inside Tonmill.exe as the resources
// "SKINITEM0" to "SKINITEM4" (LoadStoredSkins puts them into the main
// window's skin store). And the one skin environment of the program.
#include <memory>
#include <string>

#include "skin/data/SkinEnvironment.h"
#include "skin/data/StoredSkinResources.h"
#include "skin/packages/WinSkinStore.h"

// The skin services of the running program: Windows resources, icons and
// brushes, message boxes titled `caption`, and the skin manager.
std::unique_ptr<TSkinEnvironment> MakeProgramSkinEnvironment(const std::wstring& caption);
