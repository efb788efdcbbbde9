// A skin's own name, read from its package.
#include "skin/data/SkinName.h"

#include <gtest/gtest.h>

#include "framework/Streams.h"
#include "tests/native/skin_data/TestSkin.h"

namespace {

TEST(SkinName, ComesFromTheDefinitionsSkinSection) {
  TTestSkin skin;
  skin.Ini("[Personality]\nTop=t.bmp\n[skin]\nname=Harbour Fog\n");
  TMemoryStream package;
  package.Assign(skin.Package());
  package.SetPosition(5);
  EXPECT_EQ(ReadSkinName(package), "Harbour Fog");
  EXPECT_EQ(package.Position(), 0);
}

TEST(SkinName, IsEmptyForDamagedPackagesAndNamelessSkins) {
  TTestSkin skin;
  skin.Ini("[Personality]\nTop=t.bmp\n");
  TMemoryStream nameless;
  nameless.Assign(skin.Package());
  EXPECT_EQ(ReadSkinName(nameless), "");
  TMemoryStream damaged;
  const std::vector<std::uint8_t> junk = {1, 2, 3, 4, 5, 6, 7};
  damaged.Assign(junk);
  EXPECT_EQ(ReadSkinName(damaged), "");
  TMemoryStream empty;
  EXPECT_EQ(ReadSkinName(empty), "");
}

}  // namespace
