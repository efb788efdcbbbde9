// The Win32-free parts of the skinned controls: properties read and written
// by name the way the skin needs them, the arithmetic of painted scroll
// bars, and the class mapping list.
#include <gtest/gtest.h>

#include "framework/Component.h"
#include "framework/StringList.h"
#include "skin/controls/ScrollGeometry.h"
#include "skin/controls/SkinProps.h"
#include "skin/form/Skin3rdMap.h"

namespace {

// A control of a kind the skin knows nothing about, publishing a few of the
// names it reads.
class TForeign : public TComponent {
 public:
  using TComponent::TComponent;
  int margin = 7;
  bool down = true;
  std::string caption =
      "Fl\xC3\xA4"
      "che";
  TForeign* child = nullptr;
  void DescribeProperties(TPropertyTable& table) override {
    TComponent::DescribeProperties(table);
    table.Int(
        "Margin", [this] { return margin; },
        [this](std::int64_t v) { margin = static_cast<int>(v); });
    table.Enum(
        "Down", {"False", "True"}, [this] { return down ? 1 : 0; },
        [this](std::int64_t v) { down = v != 0; });
    table.Text(
        "Caption", [this] { return caption; }, [this](const std::string& v) { caption = v; });
    table.Object("Child", [this]() -> TPersistent* { return child; });
  }
};

TEST(SkinProps, MissingOrOtherKindsReadAsNothing) {
  TForeign control(nullptr);
  EXPECT_EQ(PropInt(&control, "margin"), 7);
  EXPECT_EQ(PropInt(&control, "Spacing"), -1) << "a missing integer reads -1";
  EXPECT_EQ(PropInt(&control, "Down"), -1) << "an enumeration is not an integer";
  EXPECT_EQ(PropInt(nullptr, "Margin"), -1);
  EXPECT_EQ(PropEnum(&control, "Down"), "True");
  EXPECT_TRUE(PropTrue(&control, "down"));
  EXPECT_FALSE(PropTrue(&control, "Flat"));
  EXPECT_EQ(PropText(&control, "Caption"), L"Fl\u00E4che");
  EXPECT_EQ(PropText(&control, "Margin"), L"") << "only text properties are texts";
  EXPECT_EQ(PropObject<TForeign>(&control, "Child"), nullptr);
  TForeign child(nullptr);
  control.child = &child;
  EXPECT_EQ(PropObject<TForeign>(&control, "Child"), &child);
  EXPECT_EQ(PropObject<TForeign>(&control, "Caption"), nullptr);
}

TEST(SkinProps, WritesGoWhereTheyFitAndAreIgnoredElsewhere) {
  TForeign control(nullptr);
  WriteProp(&control, "Margin", "12");
  WriteProp(&control, "Down", "False");
  WriteProp(&control, "Caption", "new");
  WriteProp(&control, "Transparent", "True");
  WriteProp(nullptr, "Margin", "1");
  EXPECT_EQ(control.margin, 12);
  EXPECT_FALSE(control.down);
  EXPECT_EQ(control.caption, "new");
  EXPECT_FALSE(HasProp(&control, "Transparent"));
}

TEST(ScrollGeometry, ThumbOfAScrollBarControl) {
  // 200 long with 17-pixel arrows: 166 pixels of track.
  EXPECT_EQ(ControlThumb(200, 17, 0, 100, 0, 0).start, 17);
  EXPECT_EQ(ControlThumb(200, 17, 0, 100, 0, 0).end, 17 + 17) << "page 0: an arrow long";
  const TThumbExtent half = ControlThumb(200, 17, 0, 100, 0, 50);
  EXPECT_EQ(half.start, ScrollMulDiv(200 - 51, 50, 100) + 17);
  EXPECT_EQ(half.end - half.start, 17);
  // A page of 21 in 100: 166 * 20 / 100 = 33 pixels.
  const TThumbExtent paged = ControlThumb(200, 17, 0, 100, 21, 40);
  EXPECT_EQ(paged.end - paged.start, 33);
  EXPECT_EQ(paged.start, ScrollMulDiv(166, 40, 100) + 17);
  // A page that would give 7 pixels or less gives 8.
  const TThumbExtent tiny = ControlThumb(200, 17, 0, 1000, 40, 500);
  EXPECT_EQ(tiny.end - tiny.start, 8);
  EXPECT_EQ(tiny.start, ScrollMulDiv(166 - 8, 500, 1000) + 17);
  // An empty range counts as a very large one.
  EXPECT_EQ(ControlThumb(200, 17, 5, 5, 0, 5).start, 17);
}

TEST(ScrollGeometry, PartsDragAndArrows) {
  const TThumbExtent thumb{60, 90};
  EXPECT_EQ(ScrollHitTest(5, 17, thumb, 200), spFirstArrow);
  EXPECT_EQ(ScrollHitTest(30, 17, thumb, 200), spTrackBefore);
  EXPECT_EQ(ScrollHitTest(60, 17, thumb, 200), spThumb);
  EXPECT_EQ(ScrollHitTest(90, 17, thumb, 200), spTrackAfter);
  EXPECT_EQ(ScrollHitTest(183, 17, thumb, 200), spSecondArrow);
  // Dragged 40 pixels down, then past either end.
  EXPECT_EQ(DragThumb(thumb, 140, 100, 60, 17, 200).start, 100);
  EXPECT_EQ(DragThumb(thumb, 900, 100, 60, 17, 200).start, 200 - 17 - 30);
  EXPECT_EQ(DragThumb(thumb, -900, 100, 60, 17, 200).start, 17);
  EXPECT_EQ(DragThumb(thumb, 900, 100, 60, 17, 200).end, 200 - 17);
  // A bar shorter than two arrows gets two halves.
  EXPECT_EQ(ArrowLength(200, 17), 17);
  EXPECT_EQ(ArrowLength(30, 17), 15);
  EXPECT_EQ(PressThumbStart(200, 17, 0, 100, 0, 10), 17);
  EXPECT_EQ(PressThumbStart(200, 17, 0, 100, 50, 10), ScrollMulDiv(166, 50, 100) + 17);
  EXPECT_EQ(PressThumbStart(200, 17, 0, 100, 50, 0), ScrollMulDiv(149, 50, 100) + 17);
  EXPECT_EQ(ScrollMulDiv(5, 3, 2), 8) << "halves round away from zero";
  EXPECT_EQ(ScrollMulDiv(-5, 3, 2), -8);
  EXPECT_EQ(ScrollMulDiv(1, 1, 0), -1);
}

TEST(Skin3rdMap, FirstLineOfTheClassInAnyCaseGivesTheLowerCasedKind) {
  TStringList lines;
  lines.Add("TFancyButton=BitBtn");
  lines.Add("TFancyButton=button");
  lines.Add("TQuiet=nil");
  lines.Add("TFancy=panel");
  lines.Add("TLong=" + std::string(60, 'X'));
  EXPECT_EQ(Skin3rdKind(lines, "tfancybutton"), "bitbtn");
  EXPECT_EQ(Skin3rdKind(lines, "TFANCYBUTTON"), "bitbtn");
  EXPECT_EQ(Skin3rdKind(lines, "TFancy"), "panel") << "a longer name is another class";
  EXPECT_EQ(Skin3rdKind(lines, "TQuiet"), "nil");
  EXPECT_EQ(Skin3rdKind(lines, "TLong")->size(), 50u);
  EXPECT_FALSE(Skin3rdKind(lines, "TButton").has_value());
}

}  // namespace
