// The program's five stored skins, checked as the packages the build makes:
// each opens with the skin archive reader, its definition names an image
// for every object the skin engine reads, every strip divides into its
// cells, no cell is left entirely transparent by mistake, the text colours
// are readable, and the packages round-trip through skinpack and are made
// the same way every time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "framework/Streams.h"
#include "framework/StringList.h"
#include "tests/native/skins/OpenedSkin.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// An image slot of the definition: where it is named, and how many cells
// (side by side, or stacked for the caption, bottom border and menu bar)
// the engine cuts it into.
struct Slot {
  std::string section;
  std::string key;
  int cells;  // 0: take the count from `count_key`
  std::string count_key;
  bool stacked = false;
};

// Every image the skin engine reads, with the cell counts it uses.
std::vector<Slot> EngineSlots() {
  return {
      {"Personality", "Left", 0, "LeftFrame"},
      {"Personality", "Right", 0, "RightFrame"},
      {"Personality", "Top", 0, "TopFrame", true},
      {"Personality", "Bottom", 0, "BottomFrame", true},
      {"Personality", "TextBack", 2, ""},
      {"Personality", "menuBar", 2, "", true},
      {"MDICONTROLS", "Image", 12, ""},
      {"Buttons", "Bitmap", 5, ""},
      {"Buttons", "CheckButton", 0, "CheckButtonFrame"},
      {"Buttons", "RadioButton", 0, "RadioButtonFrame"},
      {"Tabs", "Image", 5, ""},
      {"Tabs", "Border", 1, ""},
      {"Tab.Pane", "Image", 1, ""},
      {"UpDown.Horz", "Image", 8, ""},
      {"UpDown.Horz", "GlyphImage", 8, ""},
      {"UpDown.Vert", "Image", 8, ""},
      {"UpDown.Vert", "GlyphImage", 8, ""},
      {"SunkEdge", "Image", 4, ""},
      {"ExtraImages", "Image", 5, ""},
      {"ComboButton", "Image", 4, ""},
      {"GroupBoxEdge", "Image", 2, ""},
      {"GroupBox", "Image", 1, ""},
      {"ToolBars", "Image", 5, ""},
      {"Progress", "Bitmap", 2, ""},  // Style 0: trough and bar
      {"Progress.Chunk", "Image", 0, "Frame"},
      {"StatusBarEdges", "Image", 3, ""},
      {"Headerbar", "Image", 0, "Frame"},
      {"MenuItem", "Image", 5, ""},
      {"MenuBackground", "Image", 1, ""},
      {"Scrollbar", "Image", 23, ""},
      {"HorzScroll", "Image", 4, ""},
      {"VertScroll", "Image", 4, ""},
      {"HorzScrollThumb", "Image", 0, "FrameCount"},
      {"VertScrollThumb", "Image", 0, "FrameCount"},
      {"Trackbar.ThumbHorz", "Image", 5, ""},
      {"Trackbar.ThumbVert", "Image", 5, ""},
      {"Trackbar.ThumbLeft", "Image", 5, ""},
      {"Trackbar.ThumbRight", "Image", 5, ""},
      {"Trackbar.ThumbUp", "Image", 5, ""},
      {"Trackbar.ThumbDown", "Image", 5, ""},
      {"Track", "Image", 0, "Frame"},
      {"TRACKVERT", "Image", 0, "Frame"},
  };
}

// Cells that are empty by design: a flat tool button at rest draws nothing.
const std::set<std::pair<std::string, int>> kInvisibleCells = {{"toolbars.bmp", 1}};

const char* const kColourKeys[] = {
    "WindowText",        "ButtonFace",   "Scrollbar",      "HilightText", "Hilight",
    "Menubar",           "Menu",         "MenuText",       "ButtonText",  "ButtonHilight",
    "Buttonlight",       "ButtonShadow", "ButtonDkShadow", "MenuBarText", "TitleTextActive",
    "TitleTextNoActive", "Window"};

struct CellCheck {
  std::string file;
  SkinBitmap bitmap;
  int cells;
  bool stacked;
};

int CellWidth(const CellCheck& c) {
  return c.stacked ? c.bitmap.width : c.bitmap.width / c.cells;
}
int CellHeight(const CellCheck& c) {
  return c.stacked ? c.bitmap.height / c.cells : c.bitmap.height;
}

// The colour at the centre of cell `cell` (from 1).
Rgb CellCentre(const SkinBitmap& bmp, int cells, int cell) {
  const int w = bmp.width / cells;
  const int x = (cell - 1) * w + w / 2, y = bmp.height / 2;
  return {bmp.R(x, y), bmp.G(x, y), bmp.B(x, y)};
}

class StoredSkinTest : public ::testing::TestWithParam<StoredSkin> {
 protected:
  void SetUp() override {
    skin_ = std::make_unique<OpenedSkin>(PackagePath(GetParam().stem));
    ASSERT_TRUE(skin_->loaded) << PackagePath(GetParam().stem);
  }

  // Every image slot with its decoded bitmap and cell count.
  std::vector<CellCheck> Images() const {
    std::vector<CellCheck> out;
    for (const Slot& slot : EngineSlots()) {
      const auto bmp = skin_->Bitmap(slot.section, slot.key);
      if (!bmp) continue;
      const int cells = slot.cells ? slot.cells : skin_->Int(slot.section, slot.count_key, 0);
      out.push_back({skin_->Value(slot.section, slot.key), *bmp, cells, slot.stacked});
    }
    for (const std::string& section : skin_->CaptionButtons()) {
      const auto bmp = skin_->Bitmap(section, "ButtonImage");
      if (bmp)
        out.push_back(
            {skin_->Value(section, "ButtonImage"), *bmp, skin_->Int(section, "frame", 0), false});
    }
    return out;
  }

  std::unique_ptr<OpenedSkin> skin_;
};

TEST_P(StoredSkinTest, HoldsOneDefinitionAndOnlyItsBitmaps) {
  EXPECT_EQ(skin_->definition_name, std::string(GetParam().stem) + ".ini");
  int definitions = 0;
  std::set<std::string> named;
  for (const Slot& slot : EngineSlots()) named.insert(skin_->Value(slot.section, slot.key));
  for (const std::string& section : skin_->CaptionButtons())
    named.insert(skin_->Value(section, "ButtonImage"));
  for (int i = 0; i < skin_->reader.EntryCount(); ++i) {
    const std::string& name = skin_->reader.Names()[i];
    if (name.find(".ini") != std::string::npos) {
      ++definitions;
      continue;
    }
    EXPECT_TRUE(name.size() > 4 && name.substr(name.size() - 4) == ".bmp") << name;
    EXPECT_TRUE(named.count(name)) << name << " is packed but no object uses it";
  }
  EXPECT_EQ(definitions, 1);
  EXPECT_FALSE(skin_->Value("Skin", "Name").empty());
}

TEST_P(StoredSkinTest, EveryImageSlotNamesALowerCaseBmpThatDecodes) {
  for (const Slot& slot : EngineSlots()) {
    SCOPED_TRACE(slot.section + "/" + slot.key);
    const std::string name = skin_->Value(slot.section, slot.key);
    ASSERT_FALSE(name.empty());
    // The engine takes only the exact extension ".bmp".
    EXPECT_EQ(name.substr(name.size() - 4), ".bmp");
    EXPECT_TRUE(skin_->Bitmap(slot.section, slot.key).has_value());
  }
  const std::vector<std::string> buttons = skin_->CaptionButtons();
  EXPECT_GE(buttons.size(), 6u);
  for (const std::string& section : buttons) {
    SCOPED_TRACE(section);
    EXPECT_TRUE(skin_->Bitmap(section, "ButtonImage").has_value());
  }
}

TEST_P(StoredSkinTest, StripsDivideIntoTheirCellsAndNoCellIsLeftEmpty) {
  const std::vector<CellCheck> images = Images();
  EXPECT_GE(images.size(), EngineSlots().size());
  for (const CellCheck& c : images) {
    SCOPED_TRACE(c.file);
    ASSERT_GT(c.cells, 0);
    if (c.stacked) {
      EXPECT_EQ(c.bitmap.height % c.cells, 0)
          << c.bitmap.height << " rows, " << c.cells << " cells";
    } else {
      EXPECT_EQ(c.bitmap.width % c.cells, 0)
          << c.bitmap.width << " columns, " << c.cells << " cells";
    }
    for (int cell = 1; cell <= c.cells; ++cell) {
      const int x0 = c.stacked ? 0 : (cell - 1) * CellWidth(c),
                y0 = c.stacked ? (cell - 1) * CellHeight(c) : 0;
      bool drawn = false;
      for (int y = y0; y < y0 + CellHeight(c) && !drawn; ++y) {
        for (int x = x0; x < x0 + CellWidth(c) && !drawn; ++x) drawn = !c.bitmap.IsKey(x, y);
      }
      EXPECT_EQ(drawn, !kInvisibleCells.count({c.file, cell})) << "cell " << cell;
    }
  }
}

TEST_P(StoredSkinTest, NineSliceMarginsFitInsideTheirCells) {
  // Margins larger than a cell would cut past it; the engine also drops
  // margins that do not fit the target, so push-button corners must fit the
  // smallest buttons (20 pixels high).
  for (const Slot& slot : EngineSlots()) {
    // Frame parts have their own keys; check and radio strips, glyphs and
    // the tab border are drawn whole, not by the section's margins.
    if (slot.section == "Personality" || (slot.key != "Image" && slot.key != "Bitmap")) continue;
    const auto bmp = skin_->Bitmap(slot.section, slot.key);
    ASSERT_TRUE(bmp) << slot.section;
    const int cells = slot.cells ? slot.cells : skin_->Int(slot.section, slot.count_key, 0);
    ASSERT_GT(cells, 0) << slot.section;
    const int w = bmp->width / cells, h = bmp->height;
    const int lr =
        skin_->Int(slot.section, "LeftWidth", 0) + skin_->Int(slot.section, "RightWidth", 0);
    const int tb =
        skin_->Int(slot.section, "TopHeight", 0) + skin_->Int(slot.section, "BottomHeight", 0);
    EXPECT_LE(lr, w) << slot.section << "/" << slot.key;
    EXPECT_LE(tb, h) << slot.section << "/" << slot.key;
  }
  EXPECT_LE(skin_->Int("Buttons", "TopHeight", 0) + skin_->Int("Buttons", "BottomHeight", 0), 20);
  const auto left = skin_->Bitmap("Personality", "Left");
  const auto top = skin_->Bitmap("Personality", "Top");
  ASSERT_TRUE(left && top);
  EXPECT_LE(skin_->Int("Personality", "BottomTopHeight", 0) +
                skin_->Int("Personality", "BottomBotHeight", 0),
            top->width);
}

TEST_P(StoredSkinTest, MdiControlsHoldThreeButtonsOfFourCells) {
  const auto bmp = skin_->Bitmap("MDICONTROLS", "Image");
  ASSERT_TRUE(bmp);
  // The engine cuts the strip at multiples of a twelfth of its width.
  EXPECT_EQ(bmp->width % 12, 0);
}

TEST_P(StoredSkinTest, FrameHasCurvedCutCornersAndMatchingParts) {
  for (const char* part : {"Left", "Right", "Top"}) {
    EXPECT_EQ(skin_->Int("Personality", std::string(part) + "Trans", 0), 1) << part;
    EXPECT_EQ(skin_->Int("Personality", std::string(part) + "Frame", 0), 2) << part;
  }
  const auto left = skin_->Bitmap("Personality", "Left");
  const auto right = skin_->Bitmap("Personality", "Right");
  const auto top = skin_->Bitmap("Personality", "Top");
  const auto bottom = skin_->Bitmap("Personality", "Bottom");
  ASSERT_TRUE(left && right && top && bottom);
  const int border = left->width / 2, caption = top->height / 2;
  EXPECT_EQ(right->width / 2, border);
  EXPECT_EQ(bottom->height / 2, border);
  EXPECT_EQ(left->height, right->height);
  EXPECT_EQ(top->width, bottom->width);
  // The unscaled top of the side parts is the caption, so the caption
  // band continues across the borders.
  EXPECT_EQ(skin_->Int("Personality", "LeftTopHeight", 0), caption);
  EXPECT_LE(
      skin_->Int("Personality", "LeftTopHeight", 0) + skin_->Int("Personality", "LeftBotHeight", 0),
      left->height);
  EXPECT_LE(
      skin_->Int("Personality", "TopTopHeight", 0) + skin_->Int("Personality", "TopBotHeight", 0),
      top->width);
  for (int cell = 0; cell < 2; ++cell) {
    // Curved corners: the outermost corner pixel is cut away, the middle of
    // each border is window.
    EXPECT_TRUE(left->IsKey(cell * border, 0)) << "cell " << cell + 1;
    EXPECT_TRUE(right->IsKey(cell * border + border - 1, 0)) << "cell " << cell + 1;
    EXPECT_TRUE(left->IsKey(cell * border, left->height - 1)) << "cell " << cell + 1;
    EXPECT_FALSE(left->IsKey(cell * border, left->height / 2)) << "cell " << cell + 1;
    EXPECT_FALSE(right->IsKey(cell * border + border - 1, left->height / 2)) << "cell " << cell + 1;
    EXPECT_FALSE(top->IsKey(top->width / 2, cell * caption + caption / 2)) << "cell " << cell + 1;
    EXPECT_FALSE(bottom->IsKey(bottom->width / 2, cell * border + border / 2))
        << "cell " << cell + 1;
  }
}

TEST_P(StoredSkinTest, CaptionButtonsCoverEveryRoleAndFitTheCaption) {
  const auto top = skin_->Bitmap("Personality", "Top");
  ASSERT_TRUE(top);
  const int caption = top->height / 2;
  std::multiset<int> actions;
  for (const std::string& section : skin_->CaptionButtons()) {
    SCOPED_TRACE(section);
    const int action = skin_->Int(section, "Action", -1);
    actions.insert(action);
    const auto bmp = skin_->Bitmap(section, "ButtonImage");
    ASSERT_TRUE(bmp);
    // Normal, pressed, hot and inactive.
    EXPECT_EQ(skin_->Int(section, "frame", 0), 4);
    const int y = skin_->Int(section, "Ycoord", -1);
    EXPECT_GE(y, 0);
    EXPECT_LE(y + bmp->height, caption);
    EXPECT_NE(skin_->Int(section, "Visibility", -1), -1);
  }
  for (int role : {0, 1, 2, 3}) EXPECT_TRUE(actions.count(role)) << "action " << role;
  // Maximise and restore share one place and show in opposite states.
  EXPECT_EQ(actions.count(1), 2u);
  const auto own = std::find_if(actions.begin(), actions.end(), [](int a) {
    return a != 0 && a != 1 && a != 2 && a != 3 && a != 7 && a != 8 && a != 9 && a != 11 &&
           a != 12 && a != 22 && a != 23 && !(a >= 60 && a <= 62) && a >= 0;
  });
  EXPECT_NE(own, actions.end()) << "no button with an action of its own";
}

TEST_P(StoredSkinTest, EveryColourIsGiven) {
  for (const char* key : kColourKeys) {
    Rgb c;
    EXPECT_TRUE(ParseRgb(skin_->Value("Colours", key), c)) << key;
  }
  EXPECT_GT(skin_->Int("Fonts", "FontHeight", 0), 0);
}

// Lists and edits take the skin's lightness: a dark skin does not show white
// boxes on its dark face, and a light one keeps light ones.
TEST_P(StoredSkinTest, ContentBackgroundFollowsTheFace) {
  const auto luminance = [](Rgb c) { return RelativeLuminance(c.r, c.g, c.b); };
  const Rgb face = skin_->Colour("ButtonFace");
  const Rgb window = skin_->Colour("Window");
  const Rgb text = skin_->Colour("WindowText");
  const bool dark_face = luminance(face) < 0.18;
  EXPECT_EQ(luminance(window) < 0.18, dark_face) << "content background against the face";
  // The text is light exactly where the content is dark.
  EXPECT_EQ(luminance(text) > luminance(window), dark_face);
}

TEST_P(StoredSkinTest, TextColoursAreReadable) {
  const double need = GetParam().min_contrast;
  const auto pair = [&](const char* text, const char* back) {
    EXPECT_GE(Contrast(skin_->Colour(text), skin_->Colour(back)), need) << text << " on " << back;
  };
  pair("ButtonText", "ButtonFace");
  pair("MenuText", "Menu");
  pair("HilightText", "Hilight");
  pair("MenuBarText", "Menubar");
  pair("WindowText", "ButtonFace");
  // Content: text in lists and edits.
  pair("WindowText", "Window");

  // The title on every pixel of the caption where the text runs: the
  // active title on the active cell, the inactive title on the inactive one.
  // The title starts beyond the caption's unscaled left end, so it lies on
  // the stretched middle columns of the caption image.
  const auto top = skin_->Bitmap("Personality", "Top");
  ASSERT_TRUE(top);
  const int caption = top->height / 2;
  const int y0 = skin_->Int("Personality", "TextShiftVert", 0);
  const int font = skin_->Int("Fonts", "FontHeight", 14);
  const int x0 = skin_->Int("Personality", "TopTopHeight", 0);
  const int x1 = top->width - skin_->Int("Personality", "TopBotHeight", 0);
  const int border = skin_->Bitmap("Personality", "Left")->width / 2;
  ASSERT_GE(skin_->Int("Personality", "TextShift", 0) - border, x0);
  ASSERT_LT(x0, x1);
  const char* const title_keys[] = {"TitleTextActive", "TitleTextNoActive"};
  for (int cell = 0; cell < 2; ++cell) {
    const Rgb title = skin_->Colour(title_keys[cell]);
    double worst = 100;
    for (int y = y0; y < std::min(y0 + font, caption); ++y) {
      for (int x = x0; x < x1; ++x) {
        const int cy = cell * caption + y;
        if (top->IsKey(x, cy)) continue;
        worst = std::min(worst, Contrast(title, {top->R(x, cy), top->G(x, cy), top->B(x, cy)}));
      }
    }
    EXPECT_GE(worst, need) << title_keys[cell] << " on its caption";
  }

  // Caption colours that objects give for their own images.
  const auto on_cell = [&](const char* section, const char* image_key, int cells,
                           const char* colour_key, int cell) {
    const auto bmp = skin_->Bitmap(section, image_key);
    ASSERT_TRUE(bmp) << section;
    Rgb text;
    ASSERT_TRUE(ParseRgb(skin_->Value(section, colour_key), text)) << section << "/" << colour_key;
    EXPECT_GE(Contrast(text, CellCentre(*bmp, cells, cell)), need)
        << section << "/" << colour_key << " on cell " << cell;
  };
  on_cell("Buttons", "Bitmap", 5, "NormalColour2", 1);
  on_cell("Buttons", "Bitmap", 5, "PressedColour2", 2);
  on_cell("Buttons", "Bitmap", 5, "MouseOverColour2", 4);
  on_cell("Buttons", "Bitmap", 5, "NormalColour2", 5);
  on_cell("Tabs", "Image", 5, "NormalColour2", 1);
  on_cell("Tabs", "Image", 5, "MouseOverColour2", 2);
  on_cell("StatusBarEdges", "Image", 3, "NormalColour2", 1);
  on_cell("StatusBarEdges", "Image", 3, "NormalColour2", 2);
  on_cell("Headerbar", "Image", 5, "NormalColour2", 1);
  on_cell("Headerbar", "Image", 5, "NormalColour2", 2);
  on_cell("GroupBox", "Image", 1, "NormalColour2", 1);
  // Menu items: the selected cell behind HilightText, the normal one
  // behind MenuText.
  const auto items = skin_->Bitmap("MenuItem", "Image");
  ASSERT_TRUE(items);
  EXPECT_GE(Contrast(skin_->Colour("HilightText"), CellCentre(*items, 5, 4)), need);
  EXPECT_GE(Contrast(skin_->Colour("MenuText"), CellCentre(*items, 5, 1)), need);
  const auto bar = skin_->Bitmap("Personality", "menuBar");
  ASSERT_TRUE(bar);
  for (int row : {bar->height / 4, bar->height * 3 / 4}) {
    const Rgb back{bar->R(bar->width / 2, row), bar->G(bar->width / 2, row),
                   bar->B(bar->width / 2, row)};
    EXPECT_GE(Contrast(skin_->Colour("MenuBarText"), back), need) << "menu bar row " << row;
  }
}

INSTANTIATE_TEST_SUITE_P(Skins, StoredSkinTest, ::testing::ValuesIn(kSkins),
                         [](const ::testing::TestParamInfo<StoredSkin>& info) {
                           return std::string(info.param.stem);
                         });

// Runs a command line; its exit code.
int RunCommand(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str());
}

class ScratchDir {
 public:
  explicit ScratchDir(const std::string& tag) {
    path_ = fs::temp_directory_path() / ("tonmill-skins-" + tag + "-" + std::to_string(::getpid()));
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

TEST(StoredSkins, NamesAreDistinctAndTheFaceOfTheProgramIsDaylight) {
  std::set<std::string> names;
  for (const StoredSkin& s : kSkins) {
    OpenedSkin skin(PackagePath(s.stem));
    ASSERT_TRUE(skin.loaded) << s.stem;
    names.insert(skin.Value("Skin", "Name"));
    if (s.item == 2) {
      EXPECT_EQ(skin.Value("Skin", "Name"), "Daylight");
    }
  }
  EXPECT_EQ(names.size(), 5u);
}

TEST(StoredSkins, RoundTripThroughSkinpackAndStayUnder600KilobytesTogether) {
  std::int64_t total = 0;
  for (const StoredSkin& s : kSkins) {
    SCOPED_TRACE(s.stem);
    const ScratchDir dir(std::string("rt-") + s.stem);
    const fs::path unpacked = dir.Path() / "members", repacked = dir.Path() / "again.skn";
    ASSERT_EQ(RunCommand(std::string(TONMILL_SKINPACK) + " unpack " + PackagePath(s.stem) + " " +
                         unpacked.string()),
              0);
    ASSERT_EQ(RunCommand(std::string(TONMILL_SKINPACK) + " pack " + unpacked.string() + " " +
                         repacked.string()),
              0);
    const std::vector<std::uint8_t> original = ReadFile(PackagePath(s.stem));
    EXPECT_EQ(ReadFile(repacked), original);
    std::cout << "[ skin     ] item " << s.item << " " << s.stem << ": " << original.size()
              << " bytes compressed\n";
    total += static_cast<std::int64_t>(original.size());
  }
  std::cout << "[ skins    ] together: " << total << " bytes\n";
  ::testing::Test::RecordProperty("skins_total_bytes", std::to_string(total));
  EXPECT_LT(total, 600 * 1024);
}

TEST(StoredSkins, GenerationIsReproducible) {
  const ScratchDir first("gen1"), second("gen2");
  ASSERT_EQ(
      RunCommand(std::string(TONMILL_SKINGEN) + " " + first.Path().string() + " --no-preview"), 0);
  ASSERT_EQ(
      RunCommand(std::string(TONMILL_SKINGEN) + " " + second.Path().string() + " --no-preview"), 0);
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(first.Path())) {
    if (!entry.is_regular_file()) continue;
    const fs::path rel = fs::relative(entry.path(), first.Path());
    EXPECT_EQ(ReadFile(entry.path()), ReadFile(second.Path() / rel)) << rel;
    // And the same as what the build packed.
    EXPECT_EQ(ReadFile(entry.path()), ReadFile(fs::path(TONMILL_SKINS_DIR) / "src" / rel)) << rel;
    ++files;
  }
  EXPECT_GT(files, 5 * 40);
  for (const StoredSkin& s : kSkins) {
    const fs::path again = first.Path() / (std::string(s.stem) + ".skn");
    ASSERT_EQ(RunCommand(std::string(TONMILL_SKINPACK) + " pack " +
                         (first.Path() / s.stem).string() + " " + again.string()),
              0);
    EXPECT_EQ(ReadFile(again), ReadFile(PackagePath(s.stem))) << s.stem;
  }
}

}  // namespace
