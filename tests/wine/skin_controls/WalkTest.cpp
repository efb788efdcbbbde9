// The walk that gives each control its skinning object, and what every
// skinning object does with the messages of its control: the class mapping
// list, the tag that keeps controls unskinned, the program's own choice,
// the order inside group boxes, foreign controls known by name, switching
// a control's skinning off and on, the end of a control's window, and a
// fault inside the skinning that the control never notices.
#include <windows.h>

#include <stdexcept>

#include "framework/Graphic.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinObjImage.h"
#include "skin/controls/SkinPanels.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinWindowMessages.h"
#include "skin/form/WinSkinForm.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/support/InputScript.h"

// Foreign classes, known to the skin only by their names and published
// properties (outside any namespace, as their names are all there is).
class TFancyButton : public TButton {
 public:
  using TButton::TButton;
};

class TCardPanel : public TPanel {
 public:
  using TPanel::TPanel;
};

class TTestRadioGroup : public TPanel {
 public:
  using TPanel::TPanel;
};

class TRzCheckBox : public TPanel {
 public:
  using TPanel::TPanel;
  TGraphic CustomGlyphs;
  bool use_custom = false;
  int transparent = 0;
  void DescribeProperties(TPropertyTable& table) override {
    TPanel::DescribeProperties(table);
    table.Object("CustomGlyphs", [this]() -> TPersistent* { return &CustomGlyphs; });
    table.Enum(
        "UseCustomGlyphs", {"False", "True"}, [this] { return use_custom ? 1 : 0; },
        [this](std::int64_t v) { use_custom = v != 0; });
    table.Int(
        "TransparentColor", [this] { return transparent; },
        [this](std::int64_t v) { transparent = static_cast<int>(v); });
  }
};

namespace {

class WalkTest : public SkinControlsTest {};

bool Skinned(HWND window) {
  return SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1;
}

TEST_F(WalkTest, MappingListTagsAndTheProgramsOwnChoice) {
  TFancyButton* fancy = nullptr;
  TCardPanel* card = nullptr;
  TButton* tagged = nullptr;
  TTestRadioGroup* group = nullptr;
  TButton* in_group = nullptr;
  TButton* custom = nullptr;
  TComponent* offered = nullptr;
  TForm& form = MakeForm(MainLikeStyle());
  fancy = &Add<TFancyButton>(form, form, 20, 20, 90, 28, L"Fancy");
  card = &Add<TCardPanel>(form, form, 20, 60, 120, 40);
  card->SetColor(RGBColour(0, 0, 255));
  tagged = &Add<TButton>(form, form, 130, 20, 90, 28, L"Tagged");
  tagged->SetTag(99);
  group = &Add<TTestRadioGroup>(form, form, 160, 60, 160, 80);
  group->SetTag(99);
  in_group = &Add<TButton>(form, *group, 10, 10, 90, 28, L"Inside");
  custom = &Add<TButton>(form, form, 240, 20, 90, 28, L"Custom");
  TSkinData& data = MakeData(form, 2);
  TStringList lines = data.Skin3rd();
  lines.Insert(0, "tfancybutton=nil");
  lines.Insert(1, "TCARDPANEL=Panel");
  data.SetSkin3rd(lines);
  data.OnSkinControl = [&](TComponent*, TSkinData*, TComponent*, TComponent* control,
                           const std::string& name, TComponent*& skinned) {
    if (control != custom) return;
    EXPECT_EQ(name, "TBUTTON");
    auto& box = OwnedComponent<TSkinBox>(form);
    box.SetChangeColour(true);
    offered = skinned = &box;
  };
  data.SetActive(true);
  form.Show();
  SetForegroundWindow(form.Handle());
  ASSERT_TRUE(WaitSkinned(form.Handle()));

  EXPECT_FALSE(Skinned(fancy->Handle())) << "\"nil\" leaves the class alone";
  EXPECT_EQ(ObjectOf(form, *fancy), nullptr);
  EXPECT_NE(dynamic_cast<TSkinBox*>(ObjectOf(form, *card)), nullptr) << "found in any letter case";
  EXPECT_EQ(card->Color(), data.Colours().ButtonFace);
  EXPECT_EQ(ObjectOf(form, *tagged), nullptr);
  EXPECT_EQ(ObjectOf(form, *group), nullptr);
  EXPECT_EQ(in_group->Tag(), 99) << "the group's buttons stay unskinned too";
  EXPECT_EQ(ObjectOf(form, *in_group), nullptr);
  EXPECT_FALSE(Skinned(in_group->Handle()));
  // The handler's object took the control over: no skinned button here.
  ASSERT_NE(offered, nullptr);
  EXPECT_EQ(ObjectOf(form, *custom), offered);
  EXPECT_FALSE(Skinned(custom->Handle()));
  EXPECT_EQ(custom->Color(), data.Colours().ButtonFace);
}

TEST_F(WalkTest, GroupBoxChildrenComeFirstAndForeignGlyphControlsGetTheSkinsGlyphs) {
  TGroupBox* group = nullptr;
  TButton* inside = nullptr;
  TRzCheckBox* check = nullptr;
  TForm& form = ShowSkinned(0, [&](TForm& f) {
    group = &Add<TGroupBox>(f, f, 20, 20, 200, 100, L"Group");
    check = &Add<TRzCheckBox>(f, f, 240, 20, 100, 24);
    inside = &Add<TButton>(f, *group, 20, 30, 90, 28, L"Inside");
  });
  TWinSkinForm& engine = *EngineOf(form.Handle());
  int group_at = -1, inside_at = -1;
  for (int i = 0; i < engine.ControlCount(); ++i) {
    if (engine.Controls()[i]->Skinned() == group) group_at = i;
    if (engine.Controls()[i]->Skinned() == inside) inside_at = i;
  }
  ASSERT_GE(group_at, 0);
  ASSERT_GE(inside_at, 0);
  EXPECT_LT(inside_at, group_at);

  TSkinData& data = DataOf(form);
  ASSERT_NE(dynamic_cast<TSkinObjImage*>(ObjectOf(form, *check)), nullptr);
  const TDataSkinButton& b = data.Buttons();
  const int w = b.CheckBitmap.Width() / b.CheckButtonFrame;
  EXPECT_EQ(check->CustomGlyphs.Width(), 9 * w);
  EXPECT_TRUE(check->use_custom);
  EXPECT_EQ(check->transparent, 0xFF00FF);
  // Cell 6 of the strip is the skin's third cell.
  EXPECT_EQ(check->CustomGlyphs.Bitmap.Pixel(6 * w + w / 2, b.CheckBitmap.Height() / 2),
            b.CheckBitmap.Pixel(2 * w + w / 2, b.CheckBitmap.Height() / 2));
  SwitchSkin(form, data, false);
  EXPECT_FALSE(check->use_custom);
}

// A button whose skinning fails once on a press.
class TFaultyButton : public TSkinButton {
 public:
  using TSkinButton::TSkinButton;
  int faults = 0;

 protected:
  bool BeforeMessage(TMessage& m) override {
    if (m.Msg == WM_LBUTTONDOWN && faults == 0) {
      ++faults;
      throw std::runtime_error("fault while skinning");
    }
    return TSkinButton::BeforeMessage(m);
  }
};

TEST_F(WalkTest, FaultsAreSwallowedAndSkinningSwitchesOffAndOnPerControl) {
  TButton* button = nullptr;
  TButton* other = nullptr;
  TFaultyButton* faulty = nullptr;
  TForm& form = MakeForm(MainLikeStyle());
  button = &Add<TButton>(form, form, 40, 40, 100, 30, L"Faulty");
  other = &Add<TButton>(form, form, 160, 40, 100, 30, L"Other");
  TSkinData& data = MakeData(form, 2);
  data.OnSkinControl = [&](TComponent*, TSkinData*, TComponent*, TComponent* control,
                           const std::string&, TComponent*& skinned) {
    if (control == button) skinned = faulty = &OwnedComponent<TFaultyButton>(form);
  };
  data.SetActive(true);
  form.Show();
  SetForegroundWindow(form.Handle());
  ASSERT_TRUE(WaitSkinned(form.Handle()));
  Pump(100);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  const POINT c = Centre(WindowRect(button->Handle()));
  Click(c);
  EXPECT_EQ(faulty->faults, 1);
  EXPECT_EQ(clicks, 1) << "the button's own procedure had the press";
  Park();
  Click(c);
  EXPECT_EQ(clicks, 2);

  // A second attach changes nothing.
  TSkinControl* object = ObjectOf(form, *other);
  ASSERT_NE(object, nullptr);
  TButton stranger(nullptr);
  object->InitControl(stranger, *EngineOf(form.Handle()), data, true);
  EXPECT_EQ(object->Control(), other);

  // Switched off, the button paints itself; on again, the skin paints it.
  Park();
  SetFocus(form.Handle());
  Pump(100);
  const TBitmap skinned = Capture(WindowRect(other->Handle()));
  SendMessageW(other->Handle(), SKM_SKINSWITCH, 0, 0);
  InvalidateRect(other->Handle(), nullptr, TRUE);
  Pump(150);
  EXPECT_LT(MatchingShare(Capture(WindowRect(other->Handle())), skinned, 4), 0.8);
  SendMessageW(other->Handle(), SKM_SKINSWITCH, 1, 0);
  Pump(50);
  EXPECT_GT(MatchingShare(Capture(WindowRect(other->Handle())), skinned, 4), 0.98);

  // Skin off: the controls get their own procedures back; on again: skinned.
  SwitchSkin(form, data, false);
  EXPECT_FALSE(Skinned(other->Handle()));
  Click(Centre(WindowRect(button->Handle())));
  EXPECT_EQ(clicks, 3);
  SwitchSkin(form, data, true);
  EXPECT_TRUE(Skinned(other->Handle()));
  // A window that ends leaves an object the engine then drops.
  TWinSkinForm& engine = *EngineOf(form.Handle());
  const int before = engine.ControlCount();
  DestroyWindow(other->Handle());
  EXPECT_EQ(ObjectOf(form, *other)->LifeState(), slDestroyed);
  engine.PurgeControls();
  EXPECT_EQ(engine.ControlCount(), before - 1);
}

}  // namespace
