// A skin that cannot be read changes nothing: the component keeps the skin
// it had (its objects, its stored bytes, its ready state) and tells the
// manager nothing, whether the damaged package comes from a file or from the
// skin store.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "skin/data/WinSkinData.h"
#include "skin/packages/WinSkinStore.h"
#include "tests/native/skin_data/TestSkin.h"

namespace {

TTestSkin FaceSkin(int red) {
  TTestSkin skin;
  skin.Ini("[Colours]\nButtonFace=" + std::to_string(red) +
           " 20 30\n[Personality]\nTop=top.bmp\nTopFrame=1\n");
  skin.Bitmap("top.bmp", Strip(red, 1, 30, 30));
  return skin;
}

// Packages the archive reader refuses: noise, an empty file, three bytes,
// a good package with every byte inverted.
std::vector<std::vector<std::uint8_t>> DamagedPackages() {
  std::vector<std::uint8_t> noise(600);
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<std::uint8_t>(i * 37 + 11);
  std::vector<std::uint8_t> inverted = FaceSkin(9).Package();
  for (std::uint8_t& byte : inverted) byte = static_cast<std::uint8_t>(~byte);
  return {noise, {}, {1, 2, 3}, inverted};
}

class FailedLoadTest : public ::testing::Test {
 protected:
  FailedLoadTest() {
    store.Store().Add().Data().Assign(FaceSkin(5).Package());
    for (const auto& bad : DamagedPackages()) store.Store().Add().Data().Assign(bad);
    data.LoadFromSkinStore(&store, 0);
  }
  void ExpectUnchanged(const std::vector<std::uint8_t>& bytes, const std::string& what) {
    EXPECT_FALSE(data.NotReady()) << what;
    EXPECT_EQ(data.Colours().ButtonFace, RGBColour(5, 20, 30)) << what;
    const auto now = data.SkinBuffer().Bytes();
    EXPECT_EQ(std::vector<std::uint8_t>(now.begin(), now.end()), bytes) << what;
    // The manager hears nothing: no caption buttons are dropped, no command.
    EXPECT_TRUE(env.Manager()->Log().empty()) << what;
  }

  TTestEnvironment env;
  std::unique_ptr<TComponent> form = MakeComponent<TComponent>();
  TSkinData& data = OwnedComponent<TSkinData>(*form, env.Get());
  TSkinStore& store = OwnedComponent<TSkinStore>(*form);
};

TEST_F(FailedLoadTest, ADamagedStoredSkinKeepsTheSkinTheComponentHad) {
  ASSERT_FALSE(data.NotReady());
  const auto held = data.SkinBuffer().Bytes();
  const std::vector<std::uint8_t> bytes(held.begin(), held.end());
  env.Manager()->ClearLog();
  for (int i = 1; i < store.Store().Count(); ++i) {
    data.LoadFromSkinStore(&store, i);
    ExpectUnchanged(bytes, "item " + std::to_string(i));
  }
  // A sound item still loads afterwards.
  store.Store().Add().Data().Assign(FaceSkin(7).Package());
  data.LoadFromSkinStore(&store, store.Store().Count() - 1);
  EXPECT_EQ(data.Colours().ButtonFace, RGBColour(7, 20, 30));
  EXPECT_FALSE(env.Manager()->Log().empty());
}

TEST_F(FailedLoadTest, ADamagedSkinFileKeepsTheSkinTheComponentHad) {
  const auto held = data.SkinBuffer().Bytes();
  const std::vector<std::uint8_t> bytes(held.begin(), held.end());
  env.Manager()->ClearLog();
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "tonmill-failed-load.skn";
  int n = 0;
  for (const auto& bad : DamagedPackages()) {
    {
      std::ofstream file(path, std::ios::binary | std::ios::trunc);
      file.write(reinterpret_cast<const char*>(bad.data()), static_cast<long>(bad.size()));
    }
    data.SetSkinFile(path.string());
    ExpectUnchanged(bytes, "package " + std::to_string(n++));
  }
  // A missing file changes nothing either.
  std::filesystem::remove(path);
  data.SetSkinFile(path.string());
  ExpectUnchanged(bytes, "missing file");
}

}  // namespace
