// What a person sees of the stored skins' control faces: every state of a
// button-like image (normal, hot, pressed, disabled, checked, focused ...)
// must look different from the others of its kind, and the text the engine
// draws on a face must read on it.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/native/skins/OpenedSkin.h"

namespace {

// CIE L*a*b* of an sRGB colour (D65 white), for colour differences as
// people see them.
struct Lab {
  double l = 0, a = 0, b = 0;
};

double LinearChannel(int c) {
  const double v = c / 255.0;
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

Lab ToLab(Rgb c) {
  const double r = LinearChannel(c.r), g = LinearChannel(c.g), b = LinearChannel(c.b);
  const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
  const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
  const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
  const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0; };
  return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

double DeltaE(Rgb p, Rgb q) {
  const Lab a = ToLab(p), b = ToLab(q);
  return std::sqrt((a.l - b.l) * (a.l - b.l) + (a.a - b.a) * (a.a - b.a) +
                   (a.b - b.b) * (a.b - b.b));
}

// One cell of a strip as it shows on screen: where the key colour lets the
// background through, the background's colour (one per row, for caption
// ramps).
struct Cell {
  int width = 0, height = 0;
  std::vector<Rgb> px;
  Rgb At(int x, int y) const { return px[static_cast<size_t>(y) * width + x]; }
};

Cell CutCell(const SkinBitmap& strip, int cells, int cell, const std::vector<Rgb>& behind) {
  Cell c;
  c.width = strip.width / cells;
  c.height = strip.height;
  const int x0 = (cell - 1) * c.width;
  for (int y = 0; y < c.height; ++y) {
    for (int x = x0; x < x0 + c.width; ++x) {
      c.px.push_back(strip.IsKey(x, y) ? behind[static_cast<size_t>(y) % behind.size()]
                                       : Rgb{strip.R(x, y), strip.G(x, y), strip.B(x, y)});
    }
  }
  return c;
}

// How plainly two states must differ. A state that has to be recognised on
// its own (pressed or down, checked, selected, focused) needs a plain colour
// difference (15 or more; 2.3 is the least people notice side by side) over
// part of the cell. A change that is seen while it happens (the mouse moving
// over, a press on a hot button, the window losing the focus) may be
// quieter, but still needs a clear difference (6 or more); so may a disabled
// face, whose caption also turns grey (checked below).
enum class Seen { sAtRest, sAsItChanges };

struct StatePair {
  int a, b;  // cell numbers from 1
  Seen seen;
};

double PlainDifference(Seen seen) {
  return seen == Seen::sAtRest ? 15.0 : 6.0;
}
// The part of the cell that must change; a glyph that turns grey on its
// own covers about this much of an arrow button.
constexpr double kChangedShare = 0.06;

double ChangedShare(const Cell& a, const Cell& b, double difference) {
  int changed = 0;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      if (DeltaE(a.At(x, y), b.At(x, y)) >= difference) ++changed;
    }
  }
  return static_cast<double>(changed) / (a.width * a.height);
}

// The worst contrast of `text` on the part of a cell that text covers:
// the middle three fifths of its height, across the columns between the
// nine-slice margins (the part stretched under a caption). Nothing when
// that part is empty, so a check can never pass by looking at no pixel.
std::optional<double> WorstContrast(const Cell& cell, Rgb text, int left, int right) {
  std::optional<double> worst;
  for (int y = cell.height / 5; y < cell.height - cell.height / 5; ++y) {
    for (int x = left; x < cell.width - right; ++x) {
      const double c = Contrast(text, cell.At(x, y));
      worst = worst ? std::min(*worst, c) : c;
    }
  }
  return worst;
}

// A button-like image and the pairs of its states a person must tell apart.
struct StateImage {
  std::string section, key;
  int cells;
  std::vector<StatePair> pairs;
};

constexpr Seen kRest = Seen::sAtRest;
constexpr Seen kChange = Seen::sAsItChanges;

// Normal, pressed, disabled, hot, as up-down, combo and scroll-arrow
// buttons are cut, starting at `first`.
std::vector<StatePair> PlateStates(int first) {
  const int n = first, p = first + 1, d = first + 2, h = first + 3;
  return {{n, p, kRest}, {n, d, kChange}, {p, d, kRest}, {n, h, kChange}, {p, h, kChange}};
}

// Unchecked, checked (and mixed), each normal, hot, pressed, disabled.
std::vector<StatePair> BoxStates(int marks) {
  std::vector<StatePair> out;
  for (int m = 0; m < marks; ++m) {
    const int n = 4 * m + 1;
    out.insert(
        out.end(),
        {{n, n + 1, kChange}, {n + 1, n + 2, kChange}, {n, n + 2, kChange}, {n, n + 3, kChange}});
    for (int other = m + 1; other < marks; ++other) {
      for (int state = 0; state < 4; ++state)
        out.push_back({n + state, 4 * other + 1 + state, kRest});
    }
  }
  return out;
}

std::vector<StateImage> ButtonLikeImages() {
  std::vector<StatePair> arrows;
  for (int first : {1, 5, 9, 13}) {
    const auto four = PlateStates(first);
    arrows.insert(arrows.end(), four.begin(), four.end());
  }
  auto updown = PlateStates(1);
  const auto second = PlateStates(5);
  updown.insert(updown.end(), second.begin(), second.end());
  const std::vector<StatePair> thumb = {
      {1, 2, kChange}, {1, 3, kChange}, {2, 3, kChange}};  // normal pressed hot
  const std::vector<StatePair> track_thumb = {             // rest hot pressed disabled
                                              {2, 3, kChange},
                                              {2, 4, kChange},
                                              {3, 4, kChange},
                                              {2, 5, kRest},
                                              {4, 5, kRest}};
  return {
      // normal, pressed, disabled, hot, focused
      {"Buttons",
       "Bitmap",
       5,
       {{1, 2, kRest},
        {1, 3, kChange},
        {2, 3, kRest},
        {1, 5, kRest},
        {2, 5, kRest},
        {3, 5, kRest},  // side by side in one dialog
        {1, 4, kChange},
        {2, 4, kChange},
        {4, 5, kChange}}},
      // flat (nothing drawn), pressed, disabled, hot, checked
      {"ToolBars",
       "Image",
       5,
       {{1, 2, kRest},
        {1, 5, kRest},
        {2, 3, kRest},
        {3, 5, kRest},
        {1, 4, kChange},
        {2, 4, kChange}}},
      {"Buttons", "CheckButton", 12, BoxStates(3)},
      {"Buttons", "RadioButton", 8, BoxStates(2)},
      // normal, selected, hot, disabled, selected with focus
      {"Tabs",
       "Image",
       5,
       {{1, 2, kRest}, {1, 4, kChange}, {2, 4, kRest}, {2, 5, kRest}, {1, 3, kChange}}},
      {"UpDown.Vert", "Image", 8, updown},
      {"UpDown.Horz", "Image", 8, updown},
      {"ComboButton", "Image", 4, PlateStates(1)},
      // normal, pressed, disabled, hot or focused
      {"SunkEdge", "Image", 4, {{1, 3, kChange}, {1, 4, kRest}, {1, 2, kChange}}},
      // normal, hot, pressed, disabled, sorted
      {"Headerbar", "Image", 5, {{1, 2, kChange}, {1, 3, kChange}, {2, 3, kChange}, {1, 5, kRest}}},
      // normal, separator, disabled, selected, selected disabled
      {"MenuItem", "Image", 5, {{1, 4, kRest}, {3, 5, kRest}, {4, 5, kRest}}},
      {"Scrollbar", "Image", 23, arrows},
      {"HorzScrollThumb", "Image", 3, thumb},
      {"VertScrollThumb", "Image", 3, thumb},
      {"Trackbar.ThumbHorz", "Image", 5, track_thumb},
      {"Trackbar.ThumbVert", "Image", 5, track_thumb},
      {"Trackbar.ThumbLeft", "Image", 5, track_thumb},
      {"Trackbar.ThumbRight", "Image", 5, track_thumb},
      {"Trackbar.ThumbUp", "Image", 5, track_thumb},
      {"Trackbar.ThumbDown", "Image", 5, track_thumb},
  };
}

class SkinFaceTest : public ::testing::TestWithParam<StoredSkin> {
 protected:
  void SetUp() override {
    skin_ = std::make_unique<OpenedSkin>(PackagePath(GetParam().stem));
    ASSERT_TRUE(skin_->loaded) << PackagePath(GetParam().stem);
  }

  // A cell of a control image, laid over the dialog face.
  Cell FaceCell(const std::string& section, const std::string& key, int cells, int cell) const {
    const auto bmp = skin_->Bitmap(section, key);
    EXPECT_TRUE(bmp) << section << "/" << key;
    if (!bmp) return {};
    return CutCell(*bmp, cells, cell, {skin_->Colour("ButtonFace")});
  }

  // Every pair of states that a person could not tell apart.
  void ExpectDistinct(const std::string& what, const std::vector<Cell>& cells,
                      const std::vector<StatePair>& pairs) {
    for (const StatePair& pair : pairs) {
      const double share =
          ChangedShare(cells[static_cast<size_t>(pair.a - 1)],
                       cells[static_cast<size_t>(pair.b - 1)], PlainDifference(pair.seen));
      EXPECT_GE(share, kChangedShare)
          << what << ": cells " << pair.a << " and " << pair.b << " look alike (" << share * 100
          << "% of the pixels differ by " << PlainDifference(pair.seen) << " or more)";
    }
  }

  // The text colour must reach the skin's contrast on that face.
  void ExpectReadable(const std::string& what, Rgb text, const Cell& face, int left, int right,
                      double need) {
    const std::optional<double> worst = WorstContrast(face, text, left, right);
    ASSERT_TRUE(worst) << what << ": no pixel under the text";
    EXPECT_GE(*worst, need) << what << " reads at " << *worst << ":1";
  }

  std::unique_ptr<OpenedSkin> skin_;
};

TEST_P(SkinFaceTest, EveryStateOfAButtonLikeImageLooksDifferent) {
  for (const StateImage& image : ButtonLikeImages()) {
    std::vector<Cell> cells;
    for (int cell = 1; cell <= image.cells; ++cell)
      cells.push_back(FaceCell(image.section, image.key, image.cells, cell));
    ExpectDistinct(image.section + "/" + image.key, cells, image.pairs);
  }
}

TEST_P(SkinFaceTest, MdiChildButtonsInTheMenuBarShowPressAndHover) {
  // Minimise, restore and close of a maximised child, four cells each:
  // normal, pressed, hot (twice), laid over the menu bar.
  const auto bmp = skin_->Bitmap("MDICONTROLS", "Image");
  ASSERT_TRUE(bmp);
  std::vector<Cell> cells;
  for (int cell = 1; cell <= 12; ++cell)
    cells.push_back(CutCell(*bmp, 12, cell, {skin_->Colour("Menubar")}));
  for (int first : {1, 5, 9}) {
    ExpectDistinct("MDICONTROLS/Image", cells,
                   {{first, first + 1, kChange},
                    {first, first + 2, kChange},
                    {first + 1, first + 2, kChange}});
  }
}

TEST_P(SkinFaceTest, CaptionButtonStatesLookDifferentOnTheirCaption) {
  // Normal, pressed, hot, and the window inactive: each over the caption
  // cell (active or inactive) it is drawn on.
  const auto top = skin_->Bitmap("Personality", "Top");
  ASSERT_TRUE(top);
  const int caption = top->height / 2;
  for (const std::string& section : skin_->CaptionButtons()) {
    const auto bmp = skin_->Bitmap(section, "ButtonImage");
    ASSERT_TRUE(bmp) << section;
    const int y0 = skin_->Int(section, "Ycoord", 0);
    std::vector<Cell> cells;
    for (int cell = 1; cell <= 4; ++cell) {
      std::vector<Rgb> behind;
      const int row0 = (cell == 4 ? caption : 0) + y0;
      for (int y = 0; y < bmp->height; ++y) {
        const int x = top->width / 2, row = row0 + y;
        behind.push_back({top->R(x, row), top->G(x, row), top->B(x, row)});
      }
      cells.push_back(CutCell(*bmp, 4, cell, behind));
    }
    // normal, pressed, hot, inactive window
    ExpectDistinct(section, cells,
                   {{1, 2, kChange}, {1, 3, kChange}, {2, 3, kChange}, {1, 4, kChange}});
  }
}

TEST_P(SkinFaceTest, TextReadsOnEveryFaceItIsDrawnOn) {
  const double need = GetParam().min_contrast;
  const Rgb face = skin_->Colour("ButtonFace");
  const int bl = skin_->Int("Buttons", "LeftWidth", 0), br = skin_->Int("Buttons", "RightWidth", 0);
  // Push buttons: each state's caption colour (the focused one keeps the
  // button text).
  const std::pair<const char*, int> captions[] = {
      {"NormalColour2", 1}, {"PressedColour2", 2}, {"MouseOverColour2", 4}};
  for (const auto& [key, cell] : captions) {
    ExpectReadable(std::string("button ") + key, skin_->Colour(key, "Buttons"),
                   FaceCell("Buttons", "Bitmap", 5, cell), bl, br, need);
  }
  ExpectReadable("focused button text", skin_->Colour("ButtonText"),
                 FaceCell("Buttons", "Bitmap", 5, 5), bl, br, need);
  // Tool-bar buttons: pressed, hot and checked faces under the button text.
  const int tl = skin_->Int("ToolBars", "LeftWidth", 0),
            tr = skin_->Int("ToolBars", "RightWidth", 0);
  for (int cell : {1, 2, 4, 5}) {
    ExpectReadable("tool button text on cell " + std::to_string(cell), skin_->Colour("ButtonText"),
                   FaceCell("ToolBars", "Image", 5, cell), tl, tr, need);
  }
  // Tabs and list headers.
  for (int cell : {1, 2, 5})
    ExpectReadable("tab text on cell " + std::to_string(cell),
                   skin_->Colour("NormalColour2", "Tabs"), FaceCell("Tabs", "Image", 5, cell),
                   skin_->Int("Tabs", "LeftWidth", 0), skin_->Int("Tabs", "RightWidth", 0), need);
  ExpectReadable("hot tab text", skin_->Colour("MouseOverColour2", "Tabs"),
                 FaceCell("Tabs", "Image", 5, 3), skin_->Int("Tabs", "LeftWidth", 0),
                 skin_->Int("Tabs", "RightWidth", 0), need);
  for (int cell : {1, 2, 3, 5})
    ExpectReadable("header text on cell " + std::to_string(cell),
                   skin_->Colour("NormalColour2", "Headerbar"),
                   FaceCell("Headerbar", "Image", 5, cell), 3, 3, need);
  // Popup menus: item text on the item, selected text on the selection.
  ExpectReadable("menu text", skin_->Colour("MenuText"), FaceCell("MenuItem", "Image", 5, 1), 4, 4,
                 need);
  ExpectReadable("selected menu text", skin_->Colour("HilightText"),
                 FaceCell("MenuItem", "Image", 5, 4), 4, 4, need);
  // Status-bar panels, every bevel.
  for (int cell : {1, 2, 3})
    ExpectReadable("status text on cell " + std::to_string(cell),
                   skin_->Colour("NormalColour2", "StatusBarEdges"),
                   FaceCell("StatusBarEdges", "Image", 3, cell), 3, 3, need);
  // A disabled caption turns plainly grey.
  EXPECT_GE(DeltaE(skin_->Colour("ButtonShadow"), skin_->Colour("NormalColour2", "Buttons")), 15.0)
      << "disabled caption against the normal one";
  // Group-box captions sit on the dialog face.
  EXPECT_GE(Contrast(skin_->Colour("ButtonText"), face), need) << "group-box caption";
}

INSTANTIATE_TEST_SUITE_P(Skins, SkinFaceTest, ::testing::ValuesIn(kSkins),
                         [](const ::testing::TestParamInfo<StoredSkin>& info) {
                           return std::string(info.param.stem);
                         });

}  // namespace
