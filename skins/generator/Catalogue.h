#pragma once
// The program's own skins, in skin-store order. Each description lives in
// skins/<name>/ beside the generator.
#include <vector>

#include "skins/generator/SkinStyle.h"

namespace skingen {

TSkinStyle MeadowStyle();     // item 0
TSkinStyle NightfallStyle();  // item 1
TSkinStyle DaylightStyle();   // item 2: the face of the program
TSkinStyle ContrastStyle();   // item 3
TSkinStyle EmberStyle();      // item 4

inline std::vector<TSkinStyle> AllSkins() {
  return {MeadowStyle(), NightfallStyle(), DaylightStyle(), ContrastStyle(), EmberStyle()};
}

}  // namespace skingen
