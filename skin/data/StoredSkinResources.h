#pragma once
// The program's stored skins travel inside the executable as the resources
// "SKINITEM0", "SKINITEM1" and so on; they become the items of a skin store,
// in that order.
#include "skin/packages/WinSkinStore.h"

// Adds one store item per embedded skin, in resource order, and returns how
// many there were.
int LoadStoredSkins(TSkinStore& store);
