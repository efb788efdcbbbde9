// Whole skin packages through the skin data component: the complete test
// skin (every section, bitmaps of several depths) packed by the skinpack
// tool and loaded from a skin store, and the program's own five skins.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "framework/Streams.h"
#include "skin/data/WinSkinData.h"
#include "skin/packages/SkinReader.h"
#include "skin/packages/WinSkinStore.h"
#include "tests/native/skin_data/TestSkin.h"

namespace {

enum TClass { kObject, kBorder, kBoxLabel };

struct TSlotExpectation {
  TSkinSlot slot;
  TClass cls;
  const char* name;
  int left, top, right, bottom;
  int frame;
  int width, height;
  int seed;   // CellColour seed of the test image (0: not a strip of ours)
  int cells;  // cells in the test image
};

// What every slot holds after loading the complete test skin.
constexpr TSlotExpectation kSlots[] = {
    {ssProgress, kBorder, "Progress", 2, 0, 0, 0, 1, 40, 12, 28, 1},
    {ssProgressChunk, kObject, "Progress.Chunk", 0, 0, 0, 0, 3, 18, 10, 29, 3},
    {ssMenuBar, kObject, "Personality", 3, 0, 5, 0, 2, 60, 20, 6, 2},
    {ssGroupBoxEdge, kObject, "GroupBoxEdge", 0, 0, 0, 0, 2, 16, 8, 25, 2},
    {ssGroupBox, kBoxLabel, "GroupBox", 0, 0, 0, 0, 1, 20, 16, 26, 1},
    {ssTabs, kBorder, "Tabs", 3, 0, 0, 0, 5, 100, 20, 16, 5},
    {ssStatusBarEdges, kObject, "StatusBarEdges", 0, 0, 0, 0, 3, 30, 10, 30, 3},
    {ssTabPane, kObject, "Tab.Pane", 4, 2, 4, 4, 1, 30, 30, 18, 1},
    {ssToolBars, kObject, "ToolBars", 0, 0, 0, 0, 5, 110, 22, 27, 5},
    {ssComboButton, kBorder, "ComboButton", 3, 3, 21, 3, 4, 200, 21, 0, 0},
    {ssSunkEdge, kObject, "SunkEdge", 21, 3, 3, 3, 4, 200, 21, 0, 0},
    {ssExtraImages, kObject, "ExtraImages", 0, 0, 0, 0, 5, 35, 4, 23, 5},
    {ssHeaderbar, kObject, "Headerbar", 0, 0, 0, 0, 5, 80, 18, 31, 5},
    {ssMenuItem, kObject, "MenuItem", 0, 0, 0, 0, 5, 120, 20, 32, 5},
    {ssMenuBackground, kObject, "MenuBackground", 0, 0, 0, 0, 1, 32, 32, 33, 1},
    {ssScrollbar, kObject, "Scrollbar", 0, 0, 0, 0, 23, 368, 16, 34, 23},
    {ssHorzScroll, kObject, "HorzScroll", 0, 0, 0, 0, 4, 64, 16, 35, 4},
    {ssVertScroll, kObject, "VertScroll", 0, 0, 0, 0, 4, 64, 16, 36, 4},
    {ssHorzScrollThumb, kObject, "HorzScrollThumb", 0, 0, 0, 0, 4, 64, 16, 37, 4},
    {ssVertScrollThumb, kObject, "VertScrollThumb", 0, 0, 0, 0, 3, 48, 16, 38, 3},
    {ssThumbHorz, kObject, "Trackbar.ThumbHorz", 0, 0, 0, 0, 5, 55, 20, 39, 5},
    {ssThumbVert, kObject, "Trackbar.ThumbVert", 0, 0, 0, 0, 5, 100, 11, 40, 5},
    {ssThumbLeft, kObject, "Trackbar.ThumbLeft", 0, 0, 0, 0, 5, 100, 11, 41, 5},
    {ssThumbRight, kObject, "Trackbar.ThumbRight", 0, 0, 0, 0, 5, 100, 11, 42, 5},
    {ssThumbUp, kObject, "Trackbar.ThumbUp", 0, 0, 0, 0, 5, 55, 20, 43, 5},
    {ssThumbDown, kObject, "Trackbar.ThumbDown", 0, 0, 0, 0, 5, 55, 20, 44, 5},
    {ssUpDownHorz, kBorder, "UpDown.Horz", 0, 0, 0, 0, 8, 80, 9, 19, 8},
    {ssUpDownVert, kBorder, "UpDown.Vert", 0, 0, 0, 0, 8, 72, 10, 20, 8},
    {ssTrack, kObject, "TRACK", 3, 3, 3, 3, 1, 16, 4, 0, 0},
    {ssTrackVert, kObject, "TRACKVERT", 0, 0, 0, 0, 2, 8, 16, 45, 2},
    {ssComboxArrow, kObject, "ComboxArrow", 0, 0, 0, 0, 4, 68, 17, 0, 0},
    {ssToolbar, kObject, "Toolbar", 0, 0, 0, 0, 1, 10, 40, 0, 0},
};

std::string Quote(const std::string& s) {
  return "\"" + s + "\"";
}

class CompleteSkinTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The skin is drawn into the build tree and packed by the skinpack tool,
    // in a folder of this process (the cases may run in parallel processes).
    work_dir_ = std::string(TONMILL_SKIN_WORK_DIR) + "/complete-" + std::to_string(getpid());
    const std::string dir = work_dir_ + "/skin";
    package_path_ = work_dir_ + "/complete.skn";
    std::filesystem::remove_all(work_dir_);
    CompleteTestSkin().WriteFolder(dir);
    const std::string command =
        Quote(TONMILL_SKINPACK_EXE) + " pack " + Quote(dir) + " " + Quote(package_path_);
    pack_status_ = std::system((command + " > /dev/null").c_str());
  }
  static void TearDownTestSuite() { std::filesystem::remove_all(work_dir_); }

  void SetUp() override {
    ASSERT_EQ(pack_status_, 0) << "skinpack failed";
    TSkinStore& store = OwnedComponent<TSkinStore>(*form);
    store.Store().Add();  // item 0 stays empty
    store.Store().Add().Data().LoadFromFile(package_path_);
    data.LoadFromSkinStore(&store, 1);
    ASSERT_FALSE(data.NotReady());
  }

  static inline std::string work_dir_;
  static inline std::string package_path_;
  static inline int pack_status_ = -1;
  TTestEnvironment env;
  std::unique_ptr<TComponent> form = MakeComponent<TComponent>();
  TSkinData& data = OwnedComponent<TSkinData>(*form, env.Get());
};

TEST_F(CompleteSkinTest, ThePackageHoldsEveryFileOfTheFolder) {
  TMemoryStream file;
  file.LoadFromFile(package_path_);
  TSkinReader reader;
  ASSERT_TRUE(reader.Load(file));
  EXPECT_EQ(reader.EntryCount(), 46);
  EXPECT_GE(reader.Names().IndexOf("skin.ini"), 0);
  EXPECT_GE(reader.Names().IndexOf("scrollbar.bmp"), 0);
}

TEST_F(CompleteSkinTest, EverySlotHoldsItsObject) {
  for (const TSlotExpectation& e : kSlots) {
    SCOPED_TRACE(e.name);
    const TDataSkinObject* object = data.Object(e.slot);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->Name, e.name);
    EXPECT_EQ(dynamic_cast<const TDataSkinBorder*>(object) != nullptr, e.cls == kBorder);
    EXPECT_EQ(dynamic_cast<const TDataSkinBoxLabel*>(object) != nullptr, e.cls == kBoxLabel);
    EXPECT_EQ(object->LeftWidth, e.left);
    EXPECT_EQ(object->TopHeight, e.top);
    EXPECT_EQ(object->RightWidth, e.right);
    EXPECT_EQ(object->BottomHeight, e.bottom);
    EXPECT_EQ(object->Frame, e.frame);
    ASSERT_EQ(object->Bitmap.Width(), e.width);
    ASSERT_EQ(object->Bitmap.Height(), e.height);
    for (int k = 1; k <= e.cells; ++k) {
      const int cw = e.width / e.cells;
      EXPECT_EQ(object->Bitmap.Pixel(cw * (k - 1) + cw / 2, e.height / 2), CellColour(e.seed, k))
          << "cell " << k;
      EXPECT_EQ(object->Bitmap.Pixel(cw * (k - 1), 0), clFuchsia) << "cell " << k;
    }
  }
}

TEST_F(CompleteSkinTest, SlotsKeepTheirOwnKeys) {
  EXPECT_EQ(data.Object(ssProgress)->Tile, 1);
  EXPECT_EQ(data.Object(ssProgress)->Style, 1);
  EXPECT_EQ(data.Object(ssMenuBar)->Tile, 0);
  EXPECT_EQ(data.Object(ssMenuItem)->Tile, 0);
  EXPECT_EQ(data.Object(ssMenuItem)->MouseOverColour, 65280);
  EXPECT_EQ(data.Object(ssMenuItem)->NormalColour2, RGBColour(20, 30, 40));
  const TDataSkinBoxLabel* box = data.GroupBox();
  EXPECT_EQ(box->BackgroundAlignment, 2);
  EXPECT_EQ(box->BackgroundLeftShift, 7);
  EXPECT_EQ(box->BackgroundRightShift, 8);
  EXPECT_EQ(box->NormalColour2, RGBColour(1, 1, 1));
  const TDataSkinBorder* tabs = data.BorderObject(ssTabs);
  EXPECT_EQ(tabs->Style, 1);
  ASSERT_EQ(tabs->Bitmap2.Width(), 12);
  EXPECT_EQ(tabs->Bitmap2.Pixel(6, 6), CellColour(17, 1));
  EXPECT_EQ(data.BorderObject(ssUpDownHorz)->Bitmap2.Pixel(7, 2), CellColour(21, 2));
  EXPECT_EQ(data.BorderObject(ssUpDownVert)->Bitmap2.Width(), 20);
  // The combo button keeps its original image mirrored as its second one.
  const TDataSkinBorder* combo = data.BorderObject(ssComboButton);
  EXPECT_EQ(combo->Style, 2);
  ASSERT_EQ(combo->Bitmap2.Width(), 68);
  EXPECT_EQ(combo->Bitmap2.Pixel(67, 0), clFuchsia);
  EXPECT_EQ(combo->Bitmap2.Pixel(8, 10), CellColour(24, 4));
  EXPECT_EQ(data.Object(ssTrack)->Bitmap.Pixel(0, 2), clGray);
  // Depths as stored.
  EXPECT_EQ(data.FrameBorder(fbRight).Bitmap.BitCount(), 8);
  EXPECT_EQ(data.FrameBorder(fbBottom).Bitmap.BitCount(), 4);
  EXPECT_EQ(data.Object(ssMenuBar)->Bitmap.BitCount(), 32);
  EXPECT_EQ(data.Buttons().CheckBitmap.BitCount(), 4);
}

TEST_F(CompleteSkinTest, TitleButtonsBordersAndColours) {
  const TSkinColours& c = data.Colours();
  EXPECT_EQ(c.WindowText, RGBColour(1, 2, 3));
  EXPECT_EQ(c.Window, RGBColour(250, 251, 252));
  EXPECT_EQ(c.ButtonFace, RGBColour(200, 210, 220));
  EXPECT_EQ(c.Hilight, RGBColour(0, 128, 255));
  EXPECT_EQ(c.ButtonText, RGBColour(20, 30, 40));
  EXPECT_EQ(c.ButtonShadow, RGBColour(44, 0, 0));
  EXPECT_EQ(c.Menubar, RGBColour(200, 210, 220));
  EXPECT_EQ(c.Menu, clMenu);
  EXPECT_EQ(data.FaceBrush()->Colour(), RGBColour(200, 210, 220));

  const TDataSkinTitle& t = data.Title();
  EXPECT_EQ(t.LeftWidth, 30);
  EXPECT_EQ(t.TopHeight, 6);
  EXPECT_EQ(t.RightWidth, 80);
  EXPECT_EQ(t.TextAlignment, 1);
  EXPECT_EQ(t.Textbackground, 1);
  EXPECT_EQ(t.TXTBackleft, 3);
  EXPECT_EQ(t.TXTBackRight, 4);
  EXPECT_EQ(t.FontHeight, 14);
  EXPECT_EQ(t.Frame, 2);
  EXPECT_EQ(t.ActiveTextColour, RGBColour(250, 251, 252));
  EXPECT_EQ(t.InactiveTextColour, kNoSkinColour);
  EXPECT_EQ(t.Bitmap.Pixel(20, 10), CellColour(5, 1));

  const TDataSkinButton& b = data.Buttons();
  EXPECT_EQ(b.LeftWidth, 4);
  EXPECT_EQ(b.TopHeight, 5);
  EXPECT_EQ(b.RightWidth, 6);
  EXPECT_EQ(b.BottomHeight, 7);
  EXPECT_EQ(b.Trans, 1);
  EXPECT_EQ(b.Tile, 0);
  EXPECT_EQ(b.Frame, 5);
  EXPECT_EQ(b.Bitmap.Pixel(50, 10), CellColour(7, 3));
  EXPECT_EQ(b.CheckButtonFrame, 12);
  EXPECT_EQ(b.RadioButtonFrame, 4);
  EXPECT_EQ(b.CheckBitmap.Pixel(13 * 11 + 6, 6), CellColour(8, 12));
  EXPECT_EQ(b.RadioBitmap.Pixel(30, 19), CellColour(9, 2));
  EXPECT_EQ(b.NormalColour, 255);
  EXPECT_TRUE(b.HasNormalColour2);
  EXPECT_FALSE(b.HasMouseOverColour2);
  EXPECT_FALSE(b.HasPressedColour2);  // an empty value is no value
  EXPECT_EQ(b.NormalColour2, RGBColour(9, 8, 7));
  EXPECT_EQ(b.PressedColour2, RGBColour(20, 30, 40));

  const TDataSkinBorder& left = data.FrameBorder(fbLeft);
  EXPECT_EQ(left.TopHeight, 28);
  EXPECT_EQ(left.BottomHeight, 5);
  EXPECT_EQ(left.Trans, 0);
  EXPECT_EQ(left.Tile, 1);
  EXPECT_EQ(left.Bitmap.Pixel(9, 30), CellColour(1, 2));
  const TDataSkinBorder& right = data.FrameBorder(fbRight);
  EXPECT_EQ(right.TopHeight, 26);
  EXPECT_EQ(right.BottomHeight, 6);
  EXPECT_EQ(right.Tile, 0);
  EXPECT_EQ(right.Trans, 1);
  const TDataSkinBorder& top = data.FrameBorder(fbTop);
  EXPECT_EQ(top.LeftWidth, 12);
  EXPECT_EQ(top.RightWidth, 14);
  EXPECT_EQ(top.Tile, 1);
  EXPECT_EQ(top.Frame, 2);
  EXPECT_EQ(top.Bitmap.Pixel(60, 45), CellColour(3, 2));  // second cell below the first
  EXPECT_EQ(data.FrameBorder(fbBottom).Bitmap.Height(), 10);
  EXPECT_EQ(data.TitleBarColour(), CellColour(3, 1));
}

TEST_F(CompleteSkinTest, CaptionButtonsAndMdiButtons) {
  const auto& buttons = data.CaptionButtons();
  ASSERT_EQ(buttons.size(), 8u);
  const char* names[] = {"BUTTONCLOSE", "BUTTONMAX", "BUTTONMIN", "BUTTONSYSMENU", "BUTTONDECO"};
  const int actions[] = {0, 1, 2, 3, -1};
  const int frames[] = {6, 3, 4, 3, 6};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(buttons[i]->Name, names[i]);
    EXPECT_EQ(buttons[i]->Action, actions[i]);
    EXPECT_EQ(buttons[i]->Frame, frames[i]) << names[i];
  }
  EXPECT_EQ(buttons[0]->Xcoord, 30);
  EXPECT_EQ(buttons[0]->Visibility1, 2);
  EXPECT_EQ(buttons[0]->CombineOp, 1);
  EXPECT_EQ(buttons[0]->Bitmap.Pixel(28 * 5 + 3, 8), CellColour(10, 6));
  EXPECT_TRUE(buttons[3]->Bitmap.Empty());
  EXPECT_EQ(buttons[4]->Visibility1, -1);
  for (size_t i = 5; i < 8; ++i) {
    const int n = static_cast<int>(i) - 5;
    EXPECT_EQ(buttons[i]->Action, 7 + n);
    EXPECT_EQ(buttons[i]->Xcoord, 18 * (3 - n));
    ASSERT_EQ(buttons[i]->Bitmap.Width(), 56);
    EXPECT_EQ(buttons[i]->Bitmap.Pixel(3 * 14 + 7, 7), CellColour(15, 4 * n + 4));
  }
}

TEST_F(CompleteSkinTest, BuiltImagesComeFromTheSkinsObjects) {
  const TDataSkinObject* arrow = data.Object(ssComboxArrow);
  const TDataSkinObject* combo = data.Object(ssComboButton);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(arrow->Bitmap.Pixel(17 * i + 8, 8), combo->Bitmap.Pixel(50 * (i + 1) - 11, 10));
  }
  // The button cell sits in the right 19 pixels of each 50-pixel box.
  EXPECT_EQ(combo->Bitmap.Pixel(50 + 40, 1), CellColour(24, 2));
  EXPECT_EQ(combo->Bitmap.Pixel(50 + 10, 10), clFuchsia);
  EXPECT_EQ(data.Object(ssSunkEdge)->Bitmap.Pixel(199 - 90, 1), CellColour(24, 2));

  const TColor title = CellColour(3, 1);
  const TColor top = Blend(RGBColour(200, 210, 220), clWhite, 150);
  const TColor bottom = Blend(clGray, title, 150);  // the title is not saturated
  ASSERT_LE(ColorSaturation(title), 110);
  const std::vector<TColor> ramp = ColorRamp(40, top, bottom);
  const TBitmap& bar = data.Object(ssToolbar)->Bitmap;
  EXPECT_EQ(bar.Pixel(0, 0), ramp[0]);
  EXPECT_EQ(bar.Pixel(5, 20), ramp[20]);
  EXPECT_EQ(bar.Pixel(9, 39), ramp[39]);
}

// The program's own skins, drawn and packed by the build.
TEST(OwnSkins, EveryStoredSkinLoadsWithAllItsImages) {
  for (const char* name : {"meadow", "nightfall", "daylight", "contrast", "ember"}) {
    SCOPED_TRACE(name);
    TTestEnvironment env;
    auto data = MakeComponent<TSkinData>(env.Get());
    data->SetSkinFile(std::string(TONMILL_SKINS_DIR) + "/" + name + ".skn");
    ASSERT_FALSE(data->NotReady());
    EXPECT_FALSE(data->Title().Bitmap.Empty());
    EXPECT_FALSE(data->Buttons().Bitmap.Empty());
    for (TFrameBorderSide side : {fbLeft, fbRight, fbTop, fbBottom}) {
      EXPECT_FALSE(data->FrameBorder(side).Bitmap.Empty()) << side;
    }
    EXPECT_GT(data->CaptionButtons().size(), 3u);
    for (int slot = 0; slot < ssSlotCount; ++slot) {
      const TDataSkinObject* object = data->Object(static_cast<TSkinSlot>(slot));
      if (object) {
        EXPECT_FALSE(object->Bitmap.Empty()) << SlotName(static_cast<TSkinSlot>(slot));
      }
    }
    EXPECT_FALSE(IsSystemColour(data->Colours().ButtonFace));
  }
}

}  // namespace
