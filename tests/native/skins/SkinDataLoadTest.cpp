// The five stored skins as the program loads them: a skin store holding the
// packages as items SkinItem0 to SkinItem4, and the skin data component
// loading each item with LoadFromSkinStore. Every object the definition can
// give must be there, read from the skin (not a built-in stand-in), with
// the cell counts its painter cuts it into.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/Component.h"
#include "framework/Graphics.h"
#include "framework/Streams.h"
#include "skin/data/RecordingSkinManager.h"
#include "skin/data/SkinEnvironment.h"
#include "skin/data/SkinSlots.h"
#include "skin/data/WinSkinData.h"
#include "skin/packages/WinSkinStore.h"

namespace {

const char* const kStems[] = {"meadow", "nightfall", "daylight", "contrast", "ember"};

// The store the main window carries: five items in order.
std::unique_ptr<TSkinStore> MakeStore() {
  auto store = MakeComponent<TSkinStore>();
  for (const char* stem : kStems) {
    TSkinCollectionItem& item = store->Store().Add();
    item.Data().LoadFromFile(std::string(TONMILL_SKINS_DIR) + "/" + stem + ".skn");
  }
  return store;
}

struct Loaded {
  TSkinEnvironment environment{std::make_unique<TPortableSkinPlatform>(),
                               [] { return std::make_unique<TRecordingSkinManager>(); }};
  std::unique_ptr<TSkinData> data = MakeComponent<TSkinData>(environment);
};

// Cells each slot is cut into once read (the built combo strips hold one
// 50-pixel box per edit-box cell).
int ExpectedFrames(TSkinSlot slot) {
  switch (slot) {
    case ssProgress:
      return 2;
    case ssMenuBar:
      return 2;
    case ssGroupBoxEdge:
      return 2;
    case ssGroupBox:
    case ssTabPane:
    case ssMenuBackground:
    case ssProgressChunk:
    case ssTrack:
    case ssTrackVert:
    case ssToolbar:
      return 1;
    case ssStatusBarEdges:
    case ssHorzScrollThumb:
    case ssVertScrollThumb:
      return 3;
    case ssComboButton:
    case ssSunkEdge:
    case ssHorzScroll:
    case ssVertScroll:
    case ssComboxArrow:
      return 4;
    case ssUpDownHorz:
    case ssUpDownVert:
      return 8;
    case ssScrollbar:
      return 23;
    default:
      return 5;
  }
}

TEST(StoredSkinsInTheSkinData, EveryItemLoadsFromTheStoreWithEverySlotFilled) {
  const auto store = MakeStore();
  ASSERT_EQ(store->Store().Count(), 5);
  for (int index = 0; index < 5; ++index) {
    SCOPED_TRACE(store->Store().Items(index).Name());
    EXPECT_EQ(store->Store().Items(index).Name(), "SkinItem" + std::to_string(index));
    Loaded loaded;
    TSkinData& data = *loaded.data;
    data.LoadFromSkinStore(store.get(), index);
    ASSERT_FALSE(data.NotReady());

    for (int s = 0; s < ssSlotCount; ++s) {
      const auto slot = static_cast<TSkinSlot>(s);
      SCOPED_TRACE(SlotName(slot));
      const TDataSkinObject* object = data.Object(slot);
      ASSERT_NE(object, nullptr);
      ASSERT_FALSE(object->Bitmap.Empty());
      EXPECT_EQ(object->Frame, ExpectedFrames(slot));
      EXPECT_EQ(object->Bitmap.Width() % object->Frame, 0);
    }
    // The skin's own channels, not the built-in 4-pixel ones.
    EXPECT_EQ(data.Object(ssTrack)->Name, "Track");
    EXPECT_EQ(data.Object(ssTrack)->Bitmap.Height(), 5);
    EXPECT_EQ(data.Object(ssTrackVert)->Bitmap.Width(), 5);
    // Images with a second image: tab border, spin glyphs, mirrored combo.
    for (TSkinSlot slot : {ssTabs, ssUpDownHorz, ssUpDownVert, ssComboButton}) {
      ASSERT_NE(data.BorderObject(slot), nullptr) << SlotName(slot);
      EXPECT_FALSE(data.BorderObject(slot)->Bitmap2.Empty()) << SlotName(slot);
    }

    const TDataSkinButton& buttons = data.Buttons();
    EXPECT_EQ(buttons.Frame, 5);
    EXPECT_EQ(buttons.CheckButtonFrame, 12);
    EXPECT_EQ(buttons.RadioButtonFrame, 8);
    EXPECT_EQ(buttons.CheckBitmap.Width(), 12 * buttons.CheckBitmap.Height());
    EXPECT_EQ(buttons.RadioBitmap.Width(), 8 * buttons.RadioBitmap.Height());
    EXPECT_TRUE(buttons.HasNormalColour2 && buttons.HasMouseOverColour2 &&
                buttons.HasPressedColour2);

    for (TFrameBorderSide side : {fbLeft, fbRight, fbTop, fbBottom}) {
      const TDataSkinBorder& border = data.FrameBorder(side);
      EXPECT_FALSE(border.Bitmap.Empty()) << side;
      EXPECT_EQ(border.Frame, 2) << side;
      EXPECT_EQ(border.Trans, 1) << side;
      EXPECT_EQ(border.Tile, 1) << side;  // stretched
    }
    const TDataSkinTitle& title = data.Title();
    EXPECT_FALSE(title.Bitmap.Empty());
    EXPECT_NE(title.ActiveTextColour, kNoSkinColour);
    EXPECT_NE(title.InactiveTextColour, kNoSkinColour);
    EXPECT_EQ(title.ActiveTextColour, data.Colours().TitleTextActive);
    EXPECT_GT(title.LeftWidth, 0);  // the text starts after the icon and the own button

    // Seven caption buttons of the skin, then the three MDI child buttons
    // cut from MDICONTROLS.
    const auto& caption = data.CaptionButtons();
    ASSERT_EQ(caption.size(), 10u);
    for (size_t i = 0; i < 7; ++i) {
      SCOPED_TRACE(caption[i]->Name);
      EXPECT_EQ(caption[i]->Frame, 4);
      // The window icon shows the application's icon instead of an image.
      EXPECT_EQ(caption[i]->Bitmap.Empty(), caption[i]->Action == 3);
    }
    for (size_t i = 7; i < 10; ++i) {
      EXPECT_EQ(caption[i]->Action, static_cast<int>(i));
      EXPECT_EQ(caption[i]->Bitmap.Width(), 4 * 16);
      EXPECT_EQ(caption[i]->Frame, 4);
    }

    // Every colour comes from the skin, none from the system.
    const TSkinColours& c = data.Colours();
    for (TColor colour :
         {c.WindowText, c.ButtonFace, c.Scrollbar, c.HilightText, c.Hilight, c.Menubar, c.Menu,
          c.MenuText, c.ButtonText, c.ButtonHilight, c.Buttonlight, c.ButtonShadow,
          c.ButtonDkShadow, c.MenuBarText, c.TitleTextActive, c.TitleTextNoActive, c.Window}) {
      EXPECT_FALSE(IsSystemColour(colour));
    }
  }
}

TEST(StoredSkinsInTheSkinData, ItemTwoIsDaylightAndTheItemsDiffer) {
  const auto store = MakeStore();
  TColor faces[5];
  for (int index = 0; index < 5; ++index) {
    Loaded loaded;
    loaded.data->LoadFromSkinStore(store.get(), index);
    ASSERT_FALSE(loaded.data->NotReady());
    faces[index] = loaded.data->Colours().ButtonFace;
  }
  for (int a = 0; a < 5; ++a) {
    for (int b = a + 1; b < 5; ++b) EXPECT_NE(faces[a], faces[b]) << a << " and " << b;
  }
  Loaded daylight;
  daylight.data->LoadFromSkinStore(store.get(), 2);
  EXPECT_EQ(daylight.data->Colours().ButtonFace, RGBColour(0xF3, 0xF5, 0xF8));
}

}  // namespace
