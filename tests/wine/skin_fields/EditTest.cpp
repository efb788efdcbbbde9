// Skinned edits and memos read back from the screen: borders of the skin's
// SunkEdge cells for edits at rest, disabled and focused; texts in the
// skin's content colours that read well in every skin, read-only and
// disabled ones told apart; an edit without a border in the content
// colours all the same, with no border drawn; the system look back when
// the skin goes or lacks the image; tiny edits and damaged skins.
#include <windows.h>

#include <string>

#include "framework/Memo.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinEdit.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinWindowMessages.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/skin_fields/FieldsTestSupport.h"
#include "tests/wine/support/InputScript.h"

namespace {

using fields::ExpectedCell;
using fields::RingShare;

constexpr int kContrastSkin = 3;

class EditTest : public SkinControlsTest {
 protected:
  TEdit& Edit(TForm& form, int left, int top, int width, const std::wstring& text) {
    return Add<TEdit>(form, form, left, top, width, 24, text);
  }
  static void Redraw(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  // How well the edit's border on the screen matches cell `cell` of the
  // skin's sunken edge (as the generator drew it, with the skin's margins)
  // over the face.
  double BorderShare(HWND edit, const TSkinData& data, const char* skin, int cell) {
    TDataSkinObject edge;
    edge.Bitmap = fields::SkinSourceImage(skin, "sunkedge.bmp");
    EXPECT_FALSE(edge.Bitmap.Empty()) << "no sunkedge.bmp of " << skin;
    const int margin = data.Object(ssSunkEdge)->TopHeight;
    edge.LeftWidth = edge.TopHeight = edge.RightWidth = edge.BottomHeight = margin;
    edge.Trans = 1;
    const RECT r = WindowRect(edit);
    const TBitmap expected = ExpectedCell(edge, 4, cell, r.right - r.left, r.bottom - r.top,
                                          ColorToRGB(data.Colours().ButtonFace));
    return RingShare(Capture(r), expected, 2);
  }
  // The text area of an edit (inside its border).
  static TBitmap TextArea(HWND edit) {
    RECT r = ClientScreenRect(edit);
    return Capture(r);
  }
};

TEST_F(EditTest, BordersAreTheSkinsCellsAndTextsReadInEverySkin) {
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TEdit *normal = nullptr, *read_only = nullptr, *disabled = nullptr, *focused = nullptr;
    TMemo* memo = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      normal = &Edit(f, 20, 20, 200, L"WWWW 0123 normal");
      read_only = &Edit(f, 20, 60, 200, L"WWWW 0123 read-only");
      read_only->SetReadOnly(true);
      disabled = &Edit(f, 20, 100, 200, L"WWWW 0123 disabled");
      disabled->SetEnabled(false);
      focused = &Edit(f, 20, 140, 200, L"WWWW 0123 focused");
      memo = &Add<TMemo>(f, f, 260, 20, 200, 80);
      memo->SetScrollBars(ssNone);
      memo->SetLines({L"WWWW 0123 memo", L"second line"});
    });
    TSkinData& data = DataOf(form);
    for (TWinControl* c :
         std::initializer_list<TWinControl*>{normal, read_only, disabled, focused, memo}) {
      ASSERT_TRUE(dynamic_cast<TSkinEdit*>(ObjectOf(form, *c))) << c->Caption().size();
    }
    SetFocus(focused->Handle());
    Pump(100);
    for (TWinControl* c :
         std::initializer_list<TWinControl*>{normal, read_only, disabled, focused, memo}) {
      Redraw(c->Handle());
    }
    Pump(100);
    SaveShot(form.Handle(), std::string("edits-") + kSkinFiles[skin]);

    // The borders: cell 1 at rest (read-only too), 3 disabled, 4 focused.
    EXPECT_GT(BorderShare(normal->Handle(), data, kSkinFiles[skin], 1), 0.95);
    EXPECT_GT(BorderShare(read_only->Handle(), data, kSkinFiles[skin], 1), 0.95);
    EXPECT_GT(BorderShare(disabled->Handle(), data, kSkinFiles[skin], 3), 0.95);
    EXPECT_GT(BorderShare(focused->Handle(), data, kSkinFiles[skin], 4), 0.95);
    EXPECT_LT(BorderShare(normal->Handle(), data, kSkinFiles[skin], 4), 0.9)
        << "rest and focus look alike";

    // The texts: the skin's content background under its text, every one
    // reading well; read-only and disabled ones on backgrounds of their own.
    const double wanted = skin == kContrastSkin ? 7.0 : 4.5;
    const TColor window = ColorToRGB(data.Colours().Window) & 0xFFFFFF;
    const fields::TTextLook n = fields::ReadText(TextArea(normal->Handle()));
    const fields::TTextLook r = fields::ReadText(TextArea(read_only->Handle()));
    const fields::TTextLook d = fields::ReadText(TextArea(disabled->Handle()));
    const fields::TTextLook m = fields::ReadText(TextArea(memo->Handle()));
    EXPECT_TRUE(fields::Near(n.back, window, 2)) << std::hex << n.back << " " << window;
    EXPECT_TRUE(fields::Near(m.back, window, 2)) << std::hex << m.back;
    for (const auto& [name, look] :
         {std::pair{"normal", n}, {"read-only", r}, {"disabled", d}, {"memo", m}}) {
      EXPECT_GE(look.ratio, wanted)
          << name << std::hex << " ink " << look.ink << " on " << look.back;
    }
    EXPECT_FALSE(fields::Near(r.back, n.back, 4)) << "read-only looks like normal";
    EXPECT_FALSE(fields::Near(d.back, n.back, 4)) << "disabled looks like normal";
    EXPECT_FALSE(fields::Near(d.back, r.back, 4) && fields::Near(d.ink, r.ink, 4))
        << "disabled looks like read-only";
    form.Close();
    Pump(50);
  }
}

TEST_F(EditTest, WithoutBorderOrImageOrSkinTheSystemLookStays) {
  TEdit *skinned = nullptr, *plain = nullptr;
  TMemo* scrolled = nullptr;
  TForm& form = ShowSkinned(1, [&](TForm& f) {
    // A memo with scroll bars has them skinned, and its text the content
    // colours.
    scrolled = &Add<TMemo>(f, f, 260, 20, 200, 80);
    scrolled->SetLines({L"WWWW 0123 memo"});
    skinned = &Edit(f, 20, 20, 200, L"Text");
    plain = &Edit(f, 20, 60, 200, L"Text");
    plain->SetTag(99);  // the skin data's DisableTag: left unskinned
  });
  TSkinData& data = DataOf(form);
  ASSERT_TRUE(ObjectOf(form, *skinned));
  ASSERT_FALSE(ObjectOf(form, *plain));
  const auto same = [&](TEdit* a, TEdit* b) {
    Redraw(a->Handle());
    Redraw(b->Handle());
    Pump(50);
    return MatchingShare(Capture(WindowRect(a->Handle())), Capture(WindowRect(b->Handle())), 0);
  };
  EXPECT_LT(same(skinned, plain), 0.5) << "Nightfall's edit looks like the system's";

  const TColor window = ColorToRGB(data.Colours().Window) & 0xFFFFFF;
  const auto memo_back = [&] {
    RedrawWindow(scrolled->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    Pump(50);
    return fields::ReadText(TextArea(scrolled->Handle())).back;
  };
  EXPECT_TRUE(fields::Near(memo_back(), window, 2));

  // The skin goes: the system's border and colours; it comes back.
  SwitchSkin(form, data, false);
  EXPECT_EQ(same(skinned, plain), 1.0);
  EXPECT_TRUE(fields::Near(memo_back(), ColorToRGB(clWindow) & 0xFFFFFF, 2));
  SwitchSkin(form, data, true);
  ASSERT_TRUE(ObjectOf(form, *skinned));
  EXPECT_LT(same(skinned, plain), 0.5);
  EXPECT_GT(BorderShare(skinned->Handle(), data, "nightfall", 1), 0.95);

  // A skin without the SunkEdge image: the system's border (the text area
  // keeps the skin's content colours).
  data.Object(ssSunkEdge)->Bitmap.Clear();
  Redraw(skinned->Handle());
  Redraw(plain->Handle());
  Pump(50);
  const TBitmap a = Capture(WindowRect(skinned->Handle()));
  const TBitmap b = Capture(WindowRect(plain->Handle()));
  EXPECT_EQ(RingShare(a, b, 2, 0), 1.0);
}

TEST_F(EditTest, AnEditWithoutABorderTakesTheContentColoursAndGivesThemBack) {
  for (int skin : {1, kContrastSkin}) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TEdit *bare = nullptr, *bare_disabled = nullptr, *bare_plain = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      bare = &Edit(f, 20, 20, 200, L"WWWW 0123 bare");
      ApplyControlBorder(bare->Handle(), cbNone);
      bare_disabled = &Edit(f, 20, 60, 200, L"WWWW 0123 bare");
      ApplyControlBorder(bare_disabled->Handle(), cbNone);
      bare_disabled->SetEnabled(false);
      // The same edit left unskinned (the skin data's DisableTag).
      bare_plain = &Edit(f, 20, 100, 200, L"WWWW 0123 bare");
      ApplyControlBorder(bare_plain->Handle(), cbNone);
      bare_plain->SetTag(99);
    });
    TSkinData& data = DataOf(form);
    ASSERT_TRUE(dynamic_cast<TSkinEdit*>(ObjectOf(form, *bare)));
    const auto read = [&](TEdit* e) {
      Redraw(e->Handle());
      Pump(50);
      return fields::ReadText(TextArea(e->Handle()));
    };
    SaveShot(form.Handle(), std::string("edits-bare-") + kSkinFiles[skin]);

    // The field is the skin's Window under its text, as in the edits with
    // a border; the disabled one on the greyed background of its own.
    const double wanted = skin == kContrastSkin ? 7.0 : 4.5;
    const TColor window = ColorToRGB(data.Colours().Window) & 0xFFFFFF;
    const fields::TTextLook n = read(bare);
    const fields::TTextLook d = read(bare_disabled);
    EXPECT_TRUE(fields::Near(n.back, window, 2)) << std::hex << n.back << " " << window;
    EXPECT_GE(n.ratio, wanted) << std::hex << " ink " << n.ink << " on " << n.back;
    EXPECT_GE(d.ratio, wanted) << std::hex << " ink " << d.ink << " on " << d.back;
    EXPECT_FALSE(fields::Near(d.back, n.back, 4)) << "disabled looks like normal";
    // No border of its own, and none drawn: the field reaches the edge.
    const TBitmap whole = Capture(WindowRect(bare->Handle()));
    EXPECT_TRUE(fields::Near(whole.Pixel(0, 0), window, 2)) << std::hex << whole.Pixel(0, 0);
    EXPECT_TRUE(fields::Near(whole.Pixel(whole.Width() - 1, whole.Height() - 1), window, 2));

    // The skin goes: the system's colours, exactly as the unskinned twin.
    SwitchSkin(form, data, false);
    EXPECT_TRUE(fields::Near(read(bare).back, ColorToRGB(clWindow) & 0xFFFFFF, 2));
    read(bare_plain);
    EXPECT_EQ(MatchingShare(Capture(WindowRect(bare->Handle())),
                            Capture(WindowRect(bare_plain->Handle())), 0),
              1.0);
    SwitchSkin(form, data, true);
    EXPECT_TRUE(fields::Near(read(bare).back, window, 2));
    form.Close();
    Pump(50);
  }
}

TEST_F(EditTest, TinyEditsAndDamagedSkinsPaintWithoutHarm) {
  TEdit *empty = nullptr, *flat = nullptr, *normal = nullptr;
  TForm& form = ShowSkinned(2, [&](TForm& f) {
    empty = &Add<TEdit>(f, f, 20, 20, 0, 0);
    flat = &Add<TEdit>(f, f, 40, 20, 3, 3, L"x");
    normal = &Edit(f, 20, 60, 200, L"Text");
  });
  TSkinData& data = DataOf(form);
  TDataSkinObject& edge = *data.Object(ssSunkEdge);
  const auto paint_all = [&] {
    for (TEdit* e : {empty, flat, normal}) Redraw(e->Handle());
    Pump(30);
  };
  paint_all();
  // A one-pixel image, no frame count, margins far larger than the edit.
  edge.Bitmap = TBitmap(1, 1, clRed);
  edge.Frame = 0;
  edge.LeftWidth = edge.TopHeight = edge.RightWidth = edge.BottomHeight = 500;
  paint_all();
  // A strip claiming more cells than it has pixels.
  edge.Bitmap = TBitmap(3, 5, clRed);
  edge.Frame = 40;
  edge.LeftWidth = edge.TopHeight = edge.RightWidth = edge.BottomHeight = -7;
  paint_all();
  SetFocus(normal->Handle());
  input::Key(VK_END);
  input::Key('A');
  Pump(100);
  // Still a working edit.
  EXPECT_EQ(normal->Text(), L"Texta");
  EXPECT_EQ(SendMessageW(normal->Handle(), SKM_ISSKINNED, 0, 0), 1);
}

TEST_F(EditTest, AnEditPaintsItsTextIntoADcItIsHanded) {
  TEdit* edit = nullptr;
  TForm& form = ShowSkinned(1, [&](TForm& f) { edit = &Edit(f, 20, 20, 200, L"WWWW 0123"); });
  TSkinData& data = DataOf(form);
  RECT client{};
  GetClientRect(edit->Handle(), &client);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  HBRUSH key = CreateSolidBrush(RGB(255, 0, 255));
  FillRect(dc, &client, key);
  DeleteObject(key);
  // The engine's request for the text area answers with its mark and
  // leaves the edit's text, in the skin's text colour, in the DC.
  EXPECT_EQ(SendMessageW(edit->Handle(), SKM_PAINTCLIENT, reinterpret_cast<WPARAM>(dc), 0x41A2),
            0x41A2);
  TBitmap painted(client.right, client.bottom);
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      painted.SetPixel(x, y, RGBColour(GetRValue(c), GetGValue(c), GetBValue(c)));
    }
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  const TColor ink = ColorToRGB(data.Colours().WindowText) & 0xFFFFFF;
  EXPECT_GT(CountColour(painted, ink, 40), 15);
  // Without the mark the message is not the engine's, and nothing is drawn.
  EXPECT_NE(SendMessageW(edit->Handle(), SKM_PAINTCLIENT, 0, 0), 0x41A2);
}

}  // namespace
