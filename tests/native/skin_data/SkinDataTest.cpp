// The skin data component: its settings, its stored skin, the ways a skin is
// loaded, and what it tells the skin manager.
#include "skin/data/WinSkinData.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/Persistent.h"
#include "skin/packages/SkinArchiveWriter.h"
#include "skin/packages/SkinReader.h"
#include "skin/packages/WinSkinStore.h"
#include "tests/native/skin_data/TestSkin.h"

namespace {

using Log = std::vector<std::string>;

// A small skin: a face colour and a top border whose title colour is known.
TTestSkin SmallSkin(int seed) {
  TTestSkin skin;
  skin.Ini("[Colours]\nButtonFace=" + std::to_string(seed) +
           " 2 3\n[Personality]\nTop=top.bmp\nTopFrame=1\n");
  skin.Bitmap("top.bmp", Strip(seed, 1, 30, 30));
  return skin;
}

// A store with `count` items, item i holding SmallSkin(i + 1).
void FillStore(TSkinStore& store, int count) {
  for (int i = 0; i < count; ++i) store.Store().Add().Data().Assign(SmallSkin(i + 1).Package());
}

class SkinDataTest : public ::testing::Test {
 protected:
  TTestEnvironment env;
  std::unique_ptr<TComponent> form = MakeComponent<TComponent>();
  TSkinData& data = OwnedComponent<TSkinData>(*form, env.Get());
};

TEST_F(SkinDataTest, StartsWithItsConstructionValues) {
  EXPECT_FALSE(data.Active());
  EXPECT_EQ(data.DisableTag(), 99);
  EXPECT_EQ(data.SkinControls().ToBits(), 0x1FFFFBu);
  EXPECT_FALSE(data.SkinControls().Contains(xcMenuItem));
  EXPECT_FALSE(data.SkinControls().Contains(xcFastReport));
  EXPECT_TRUE(data.SkinControls().Contains(xcSystemMenu));
  EXPECT_EQ(data.Options().ToBits(), (1u << xoPreview) | (1u << xoToolbarBK));
  EXPECT_EQ(data.SkinFormtype(), sfMainform);
  EXPECT_EQ(data.Version(), "4.11.07.25");
  EXPECT_TRUE(data.MenuUpdate());
  EXPECT_FALSE(data.MenuMerge());
  EXPECT_TRUE(data.SkinFile().empty());
  EXPECT_EQ(data.SkinStore(), "(none)");
  EXPECT_TRUE(data.NotReady());
  EXPECT_TRUE(data.FramePainting());
  EXPECT_EQ(data.FaceBrush(), nullptr);
  EXPECT_EQ(data.Title().Name, "Title");
  EXPECT_EQ(data.FrameBorder(fbLeft).Name, "Left");
  EXPECT_EQ(data.FrameBorder(fbBottom).Name, "Bottom");
  EXPECT_EQ(data.Object(ssTrack), nullptr);
  EXPECT_EQ(env.Manager(), nullptr);  // nothing starts before Loaded

  // The 117 class-name lines, duplicates included, in their order.
  const TStringList& lines = data.Skin3rd();
  ASSERT_EQ(lines.Count(), 117);
  EXPECT_EQ(lines[0], "TCategoryButtons=scrollbar");
  EXPECT_EQ(lines[4], "TTBXDockablePanel=Panel");
  EXPECT_EQ(lines[47], "TDBCheckboxEh=Checkbox");
  EXPECT_EQ(lines[48], "TDBCheckboxEh=Checkbox");
  EXPECT_EQ(lines[116], "TOVCDBNUMERICFIELD=Edit");

  // The menu glyphs: four 16 x 16 cells, white transparent.
  ASSERT_EQ(data.MenuGlyphs().Count(), 4);
  EXPECT_EQ(data.MenuGlyphs().MaskColor(0), clWhite);
  EXPECT_TRUE(data.MenuGlyphs().Opaque(2, 5, 7));  // minimise bar
  EXPECT_FALSE(data.MenuGlyphs().Opaque(2, 4, 7));

  // An empty stored skin is the four bytes of a zero count.
  TMemoryStream stored;
  data.WriteSkinStream(stored);
  EXPECT_EQ(std::vector<std::uint8_t>(stored.Bytes().begin(), stored.Bytes().end()),
            (std::vector<std::uint8_t>{0, 0, 0, 0}));
}

TEST_F(SkinDataTest, PublishesItsSettingsByName) {
  EXPECT_EQ(GetTextProp(data, "DisableTag"), "99");
  EXPECT_EQ(GetIntProp(data, "SkinControls"), 0x1FFFFB);
  EXPECT_EQ(GetIntProp(data, "Options"), 0x48);
  EXPECT_EQ(GetEnumPropName(data, "SkinFormtype"), "sfMainform");
  EXPECT_EQ(GetEnumPropName(data, "MenuUpdate"), "True");
  EXPECT_EQ(GetEnumPropName(data, "Active"), "False");
  EXPECT_EQ(GetTextProp(data, "Version"), "4.11.07.25");
  EXPECT_EQ(GetTextProp(data, "SkinStore"), "(none)");
  EXPECT_TRUE(GetTextProp(data, "Skin3rd").starts_with("TCategoryButtons=scrollbar\r\n"));

  EXPECT_TRUE(SetPropText(data, "DisableTag", "5"));
  EXPECT_EQ(data.DisableTag(), 5);
  EXPECT_TRUE(SetPropText(data, "SkinFormtype", "sfDialog"));
  EXPECT_EQ(data.SkinFormtype(), sfDialog);
  EXPECT_TRUE(SetPropText(data, "Options", "1"));
  EXPECT_TRUE(data.Options().Contains(xoMDIScrollbar));
  // Version and SkinStore ignore what is written.
  SetPropText(data, "Version", "1.0");
  SetPropText(data, "SkinStore", "(Good)");
  EXPECT_EQ(data.Version(), "4.11.07.25");
  EXPECT_EQ(data.SkinStore(), "(none)");
  EXPECT_TRUE(SetPropText(data, "Skin3rd", "TMyGrid=scrollbar"));
  EXPECT_EQ(data.Skin3rd().Count(), 1);

  TStringList other;
  other.Add("A=panel");
  other.Add("B=edit");
  data.SetSkin3rd(other);
  other.Clear();
  ASSERT_EQ(data.Skin3rd().Count(), 2);
  EXPECT_EQ(data.Skin3rd()[1], "B=edit");
}

TEST_F(SkinDataTest, StoredSkinStreamRoundTripsAndRefusesDamagedCounts) {
  const std::vector<std::uint8_t> package = SmallSkin(7).Package();
  LoadPackage(data, package);
  EXPECT_FALSE(data.NotReady());
  EXPECT_EQ(data.Colours().ButtonFace, RGBColour(7, 2, 3));

  TMemoryStream stored;
  data.WriteSkinStream(stored);
  ASSERT_EQ(stored.Bytes().size(), package.size() + 4);
  EXPECT_TRUE(std::equal(package.begin(), package.end(), stored.Bytes().begin() + 4));

  // A count that runs past the value keeps the skin and its bytes.
  TMemoryStream damaged;
  const std::uint8_t big[6] = {0x10, 0, 0, 0, 1, 2};
  damaged.WriteBuffer(big, 6);
  damaged.SetPosition(0);
  EXPECT_THROW(data.ReadSkinStream(damaged), EReadError);
  EXPECT_FALSE(data.NotReady());
  EXPECT_EQ(data.SkinBuffer().Bytes().size(), package.size());

  // Counts of 0 or below change nothing.
  for (std::uint8_t last : {std::uint8_t{0}, std::uint8_t{0x80}}) {
    TMemoryStream none;
    const std::uint8_t count[4] = {0, 0, 0, last};
    none.WriteBuffer(count, 4);
    none.SetPosition(0);
    data.ReadSkinStream(none);
    EXPECT_FALSE(data.NotReady());
    EXPECT_EQ(data.SkinBuffer().Bytes().size(), package.size());
  }
}

TEST_F(SkinDataTest, AtDesignTimeKeepsBytesButReadsAndSendsNothing) {
  data.SetDesigning(true);
  LoadPackage(data, SmallSkin(1).Package());
  EXPECT_TRUE(data.NotReady());
  EXPECT_EQ(data.SkinStore(), "(Good)");
  EXPECT_FALSE(data.LoadSkinStream());
  data.SetActive(true);
  data.Loaded();
  EXPECT_EQ(env.Manager(), nullptr);
  // A skin file named at design time empties the buffer without reading.
  data.SetSkinFile("/no/such/file.skn");
  EXPECT_EQ(data.SkinStore(), "(none)");
}

TEST_F(SkinDataTest, LoadFromSkinStoreOutsideTheStoreChangesNothing) {
  TSkinStore& store = OwnedComponent<TSkinStore>(*form);
  FillStore(store, 3);
  data.LoadFromSkinStore(&store, 1);
  ASSERT_FALSE(data.NotReady());
  EXPECT_EQ(data.Colours().ButtonFace, RGBColour(2, 2, 3));
  const size_t bytes = data.SkinBuffer().Bytes().size();
  env.Manager()->ClearLog();

  for (int index : {3, 4, -1}) {
    data.LoadFromSkinStore(&store, index);
    EXPECT_FALSE(data.NotReady()) << index;
    EXPECT_EQ(data.Colours().ButtonFace, RGBColour(2, 2, 3)) << index;
    EXPECT_EQ(data.SkinBuffer().Bytes().size(), bytes) << index;
  }
  data.LoadFromSkinStore(nullptr, 0);
  EXPECT_TRUE(env.Manager()->Log().empty());

  // The last item loads; the item's own stream is read from its start.
  store.Store().Items(2).Data().SetPosition(10);
  data.LoadFromSkinStore(&store, 2);
  EXPECT_EQ(data.Colours().ButtonFace, RGBColour(3, 2, 3));
}

TEST_F(SkinDataTest, TheMainWindowsStartSwitchesSkinningOnWithoutATimer) {
  TSkinStore& store = OwnedComponent<TSkinStore>(*form);
  FillStore(store, 5);
  // Streamed with Active False, then started.
  data.BeginLoading();
  data.Loaded();
  TRecordingSkinManager& manager = *env.Manager();
  EXPECT_EQ(manager.Log(), (Log{"AddSkinData", "InstallHook"}));
  EXPECT_EQ(manager.MainData(), &data);
  manager.ClearLog();

  data.LoadFromSkinStore(&store, 2);
  EXPECT_FALSE(data.NotReady());
  EXPECT_EQ(manager.Log(), (Log{"SetRequestingData", "RefreshData"}));  // not started: no command
  manager.ClearLog();

  data.SetActive(true);
  EXPECT_EQ(manager.Log(), (Log{"SetRequestingData", "Post 1 250", "SetStartCounter 1"}));
  EXPECT_TRUE(manager.SkinningOn());
  EXPECT_FALSE(manager.TimerEnabled());
  EXPECT_EQ(manager.StartCounter(), 1);
  EXPECT_EQ(manager.RequestingData(), &data);
  manager.ClearLog();

  // Once started, a new skin is announced as a changed skin.
  data.LoadFromSkinStore(&store, 3);
  EXPECT_EQ(manager.Log(), (Log{"SetRequestingData", "RefreshData", "Post 3 250"}));
  EXPECT_TRUE(manager.TimerEnabled());
  manager.ClearLog();

  data.SetActive(false);
  EXPECT_EQ(manager.Log(), (Log{"SetRequestingData", "Post 2 250"}));
  EXPECT_EQ(manager.PendingCommand(), scDeactivate);
  manager.ClearLog();
  data.SetActive(false);  // unchanged: nothing
  EXPECT_TRUE(manager.Log().empty());
}

TEST_F(SkinDataTest, LoadedWithActiveButNoSkinSwitchesActiveOff) {
  data.BeginLoading();
  data.SetActive(true);  // while streaming only the value is kept
  EXPECT_TRUE(data.Active());
  data.Loaded();
  EXPECT_FALSE(data.Active());
  EXPECT_EQ(env.Manager()->Log(), (Log{"AddSkinData", "InstallHook"}));
  EXPECT_FALSE(env.Manager()->SkinningOn());
}

TEST_F(SkinDataTest, LoadedWithActiveAndAStoredSkinAsksForActivation) {
  data.BeginLoading();
  data.SetActive(true);
  LoadPackage(data, SmallSkin(1).Package());
  data.Loaded();
  EXPECT_TRUE(data.Active());
  EXPECT_EQ(env.Manager()->Log(), (Log{"AddSkinData", "InstallHook", "Post 1 250"}));
  EXPECT_TRUE(env.Manager()->SkinningOn());  // not started yet: only the flag
  EXPECT_EQ(env.Manager()->RequestingData(), nullptr);
}

TEST_F(SkinDataTest, SetActiveBeforeAnySkinWasReadDoesNothing) {
  data.Loaded();
  env.Manager()->ClearLog();
  data.SetActive(true);
  EXPECT_TRUE(data.Active());
  EXPECT_TRUE(env.Manager()->Log().empty());
  EXPECT_FALSE(env.Manager()->SkinningOn());
}

TEST_F(SkinDataTest, LoadedDropsTheMenuMemberTheMenuBarSettingExcludes) {
  TSkinControlTypes with_bar = data.SkinControls();
  with_bar.Include(xcMenuItem);
  data.SetSkinControls(with_bar);
  data.Loaded();
  EXPECT_FALSE(data.SkinControls().Contains(xcMenuItem));
  EXPECT_TRUE(data.SkinControls().Contains(xcSystemMenu));

  TTestEnvironment env2;
  auto other_owner = MakeComponent<TSkinData>(env2.Get());
  TSkinData& other = *other_owner;
  TSkinControlTypes no_bar = other.SkinControls();
  no_bar.Exclude(xcMainMenu);
  no_bar.Include(xcMenuItem);
  other.SetSkinControls(no_bar);
  env2.Platform().scroll_bar_info = false;
  other.Loaded();
  EXPECT_FALSE(other.SkinControls().Contains(xcSystemMenu));
  EXPECT_TRUE(other.SkinControls().Contains(xcMenuItem));
  EXPECT_FALSE(other.SkinControls().Contains(xcScrollbar));  // no GetScrollBarInfo
}

TEST_F(SkinDataTest, LoadedCapturesTheApplicationIcon) {
  env.Platform().icon = TBitmap(16, 16, clFuchsia);
  env.Platform().icon.SetPixel(8, 8, clRed);
  data.Loaded();
  ASSERT_EQ(data.ApplicationIcon().Width(), 16);
  EXPECT_EQ(data.ApplicationIcon().Pixel(8, 8), clRed);
}

TEST_F(SkinDataTest, OtherFormTypesStartWithoutAHook) {
  data.SetSkinFormtype(sfOnlyThisForm);
  data.BeginLoading();
  data.SetActive(true);
  data.Loaded();
  TRecordingSkinManager& manager = *env.Manager();
  EXPECT_EQ(manager.Log(),
            (Log{"AddSkinData", "SetSkinningOn 1", "SetStartCounter 1", "SkinOwnerForm"}));
  EXPECT_EQ(manager.SkinnedOwners(), std::vector<TComponent*>{form.get()});
  EXPECT_EQ(manager.MainData(), nullptr);
  manager.ClearLog();

  // Only this form: the request is recorded even when nothing can be read.
  data.SetActive(false);
  data.SetActive(true);
  EXPECT_EQ(manager.Log(), (Log{"SetRequestingData", "Post 2 250", "SetRequestingData"}));
  manager.ClearLog();

  TSkinData& dialog = OwnedComponent<TSkinData>(*form, env.Get());
  dialog.SetSkinFormtype(sfDialog);
  dialog.Loaded();
  EXPECT_EQ(manager.StartCounter(), 2);
  LoadPackage(dialog, SmallSkin(1).Package());
  manager.ClearLog();
  dialog.SetActive(true);
  dialog.SetActive(false);
  EXPECT_TRUE(manager.Log().empty());
}

TEST_F(SkinDataTest, DestructionLeavesTheManager) {
  data.Loaded();
  {
    TSkinData& second = OwnedComponent<TSkinData>(*form, env.Get());
    second.Loaded();
    EXPECT_EQ(env.Manager()->SkinDatas().size(), 2u);
    std::unique_ptr<TComponent> gone = form->RemoveComponent(&second);
  }
  EXPECT_EQ(env.Manager()->SkinDatas(), std::vector<TSkinData*>{&data});
  EXPECT_EQ(env.Manager()->MainData(), &data);
}

TEST_F(SkinDataTest, ApplyNewSkinStartsTheComponentWhenThereIsNoManager) {
  LoadPackage(data, SmallSkin(1).Package());
  data.ApplyNewSkin();
  EXPECT_EQ(env.Manager()->Log(),
            (Log{"AddSkinData", "InstallHook", "SetRequestingData", "RefreshData"}));
  env.Manager()->ClearLog();
  data.BeginLoading();
  data.ApplyNewSkin();  // not while the owner is streaming
  EXPECT_TRUE(env.Manager()->Log().empty());
}

TEST_F(SkinDataTest, SkinFileLoadsAnExistingFileAndALostOneChangesNothing) {
  const std::string dir = testing::TempDir() + "skin_data_file_test";
  std::filesystem::create_directories(dir);
  const std::string path = dir + "/small.skn";
  const std::vector<std::uint8_t> package = SmallSkin(9).Package();
  TBytesStream(package).SaveToFile(path);

  data.SetSkinFile(path);
  EXPECT_EQ(data.SkinFile(), path);
  EXPECT_FALSE(data.NotReady());
  EXPECT_EQ(data.Colours().ButtonFace, RGBColour(9, 2, 3));
  EXPECT_EQ(env.Manager()->RequestingData(), &data);  // applied

  data.SetSkinFile(dir + "/missing.skn");
  EXPECT_FALSE(data.NotReady());
  // The objects of the earlier skin stay for the windows that use them.
  EXPECT_EQ(data.Colours().ButtonFace, RGBColour(9, 2, 3));
  EXPECT_FALSE(data.FrameBorder(fbTop).Bitmap.Empty());
  std::filesystem::remove_all(dir);
}

TEST_F(SkinDataTest, APackageThatDoesNotOpenKeepsTheEarlierObjects) {
  LoadPackage(data, SmallSkin(4).Package());
  const TDataSkinTitle* title = &data.Title();
  std::vector<std::uint8_t> garbage(200, 0x5A);
  LoadPackage(data, garbage);
  EXPECT_TRUE(data.NotReady());
  EXPECT_EQ(data.Colours().ButtonFace, RGBColour(4, 2, 3));
  EXPECT_EQ(&data.Title(), title);

  // A package of the older format: the reader tells the user.
  TSkinArchiveWriter writer;
  writer.AddMember("skin.ini", std::vector<std::uint8_t>{'[', 'a', ']'});
  std::vector<std::uint8_t> archive = writer.Build();
  archive[0] = 1;  // not the magic number
  LoadPackage(data, TLzhCompressor().Compress(archive));
  EXPECT_TRUE(data.NotReady());
  ASSERT_EQ(env.Platform().sink.messages.size(), 1u);
  EXPECT_EQ(env.Platform().sink.messages[0], kOlderSkinMessage);
}

TEST_F(SkinDataTest, DecidesWhichWindowsAreNotSkinned) {
  auto decide = [&](const std::string& name) {
    bool skin = true;
    data.DecideFormSkin(0, name, skin);
    return skin;
  };
  EXPECT_FALSE(decide("SysMonthCal32"));
  EXPECT_TRUE(decide("sysmonthcal32"));
  EXPECT_TRUE(decide("TfrPreviewForm"));  // xcFastReport is not set
  TSkinControlTypes with_reports = data.SkinControls();
  with_reports.Include(xcFastReport);
  data.SetSkinControls(with_reports);
  EXPECT_FALSE(decide("TfrPreviewForm"));
  EXPECT_TRUE(decide("TFRPreviewForm"));  // compared with case
  EXPECT_TRUE(decide("TForm1"));

  // A handler decides alone.
  std::string asked;
  data.OnFormSkin = [&](TObject* sender, const std::string& name, bool& skin) {
    EXPECT_EQ(sender, &data);
    asked = name;
    skin = !skin;
  };
  EXPECT_FALSE(decide("TForm1"));
  bool skin = false;
  data.DecideFormSkin(0, "SysMonthCal32", skin);
  EXPECT_TRUE(skin);
  EXPECT_EQ(asked, "SysMonthCal32");

  int changed = 0;
  data.DoSkinChanged();
  data.OnSkinChanged = [&](TObject* sender) {
    EXPECT_EQ(sender, &data);
    ++changed;
  };
  data.DoSkinChanged();
  EXPECT_EQ(changed, 1);
}

}  // namespace
