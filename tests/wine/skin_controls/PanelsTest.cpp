// Group boxes, panels and status bars in the skin's colours, read back from
// the screen, and the colours given back when the skin goes.
#include <windows.h>
#include <commctrl.h>

#include "framework/StatusBar.h"
#include "framework/StdCtrls.h"
#include "framework/Streams.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/packages/SkinArchiveWriter.h"
#include "skin/packages/SkinReader.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"

// A panel the mapping list makes a group box with the skin's colours.
class TFramedPanel : public TPanel {
 public:
  using TPanel::TPanel;
};

namespace {

class PanelsTest : public SkinControlsTest {};

bool Near(TColor a, TColor b, int tolerance = 12) {
  return std::abs(RedOf(a) - RedOf(b)) <= tolerance &&
         std::abs(GreenOf(a) - GreenOf(b)) <= tolerance &&
         std::abs(BlueOf(a) - BlueOf(b)) <= tolerance;
}

// Where the frame line of a group box lies: half the height of a "0".
int FrameLine(const TWinControl& box) {
  HDC dc = GetDC(box.Handle());
  HGDIOBJ old = SelectObject(dc, box.Font());
  SIZE zero{};
  GetTextExtentPoint32W(dc, L"0", 1, &zero);
  SelectObject(dc, old);
  ReleaseDC(box.Handle(), dc);
  return zero.cy / 2 - 1;
}

TEST_F(PanelsTest, GroupBoxesDrawTheirRoundedFrameAndAnOpaqueCaption) {
  TGroupBox* plain = nullptr;
  TGroupBox* empty = nullptr;
  TGroupBox* right = nullptr;
  TLabel* label = nullptr;
  TForm& form = ShowSkinned(1, [&](TForm& f) {
    plain = &Add<TGroupBox>(f, f, 20, 20, 200, 100, L"WWWWWWWW");
    label = &Add<TLabel>(f, *plain, 20, 40, 120, 20, L"MMMMMM");
    empty = &Add<TGroupBox>(f, f, 240, 20, 200, 100, L"");
    right = &Add<TGroupBox>(f, f, 20, 140, 200, 100, L"WWWWWWWW");
    SetWindowLongPtrW(right->Handle(), GWL_EXSTYLE,
                      GetWindowLongPtrW(right->Handle(), GWL_EXSTYLE) | WS_EX_RIGHT);
  });
  TSkinData& data = DataOf(form);
  const TColor shadow = ColorToRGB(data.Colours().ButtonShadow);
  const TColor face = ColorToRGB(data.Colours().ButtonFace);
  const int y0 = FrameLine(*plain);

  // The empty caption leaves the whole top line; the caption breaks it.
  const TBitmap e = Capture(WindowRect(empty->Handle()));
  for (int x : {10, 60, 100, 150, 190}) EXPECT_TRUE(Near(e.Pixel(x, y0), shadow)) << x;
  EXPECT_TRUE(Near(e.Pixel(100, 50), face));
  EXPECT_TRUE(Near(e.Pixel(1, 50), shadow)) << "the left side";
  EXPECT_TRUE(Near(e.Pixel(198, 50), shadow)) << "the right side";

  const TBitmap p = Capture(WindowRect(plain->Handle()));
  EXPECT_FALSE(Near(p.Pixel(20, y0), shadow)) << "the caption lies on an opaque face";
  EXPECT_TRUE(Near(p.Pixel(190, y0), shadow));
  // The caption and the label inside are written in the skin's text colour.
  EXPECT_GT(CountColour(
                Capture({WindowRect(plain->Handle()).left, WindowRect(plain->Handle()).top,
                         WindowRect(plain->Handle()).right, WindowRect(plain->Handle()).top + 14}),
                data.Colours().ButtonText, 40),
            10);
  EXPECT_GT(CountColour(Capture(WindowRect(label->Handle())), data.Colours().ButtonText, 40), 10);
  EXPECT_TRUE(Near(Capture(WindowRect(label->Handle())).Pixel(115, 15), face));

  // Right-aligned: the caption ends 8 pixels from the right edge.
  const TBitmap r = Capture(WindowRect(right->Handle()));
  EXPECT_TRUE(Near(r.Pixel(20, y0), shadow));
  EXPECT_FALSE(Near(r.Pixel(180, y0), shadow));
}

TEST_F(PanelsTest, PanelsTakeTheFaceColourAndGiveTheirOwnBack) {
  TPanel* panel = nullptr;
  TFramedPanel* framed = nullptr;
  TForm& form = MakeForm(MainLikeStyle());
  panel = &Add<TPanel>(form, form, 20, 20, 200, 80);
  panel->SetColor(RGBColour(200, 0, 0));
  panel->SetParentBackground(true);
  framed = &Add<TFramedPanel>(form, form, 240, 20, 200, 80);
  framed->SetColor(RGBColour(0, 200, 0));
  TSkinData& data = MakeData(form, 3);
  TStringList lines = data.Skin3rd();
  lines.Insert(0, "TFramedPanel=GroupBox");
  data.SetSkin3rd(lines);
  data.SetActive(true);
  form.Show();
  SetForegroundWindow(form.Handle());
  ASSERT_TRUE(WaitSkinned(form.Handle()));
  EXPECT_FALSE(panel->ParentBackground()) << "the skin paints the panel itself";
  EXPECT_EQ(panel->Color(), data.Colours().ButtonFace);
  EXPECT_TRUE(Near(Capture(WindowRect(panel->Handle())).Pixel(100, 40),
                   ColorToRGB(data.Colours().ButtonFace)));
  SwitchSkin(form, data, false);
  EXPECT_EQ(panel->Color(), RGBColour(200, 0, 0));
  EXPECT_TRUE(panel->ParentBackground());
  SwitchSkin(form, data, true);
  EXPECT_EQ(panel->Color(), data.Colours().ButtonFace);
  // A window that goes while the skin is on gets its colour back with it.
  EXPECT_EQ(framed->Color(), data.Colours().ButtonFace);
  DestroyWindow(framed->Handle());
  EXPECT_EQ(framed->Color(), RGBColour(0, 200, 0));
}

// The status bar's panel `index` in screen coordinates.
RECT PanelRect(const TStatusBar& bar, int index) {
  RECT r{};
  SendMessageW(bar.Handle(), SB_GETRECT, index, reinterpret_cast<LPARAM>(&r));
  MapWindowPoints(bar.Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Cell `cell` of the status-bar edges rendered to the size of `r`.
TBitmap EdgeCell(const TDataSkinObject& edges, const RECT& r, int cell) {
  return RenderSkinPart(r.right - r.left, r.bottom - r.top, edges.Bitmap,
                        {edges.LeftWidth, edges.TopHeight, edges.RightWidth, edges.BottomHeight},
                        false, edges.Tile == 1, 3, cell);
}

TEST_F(PanelsTest, StatusBarPanelsLastReachingTheEdgeSimpleModeAndTheGripOnlyWithItsStyle) {
  TStatusBar* bar = nullptr;
  TStatusBar* simple = nullptr;
  TForm& form = ShowSkinned(2, [&](TForm& f) {
    bar = &OwnedComponent<TStatusBar>(f);
    bar->AddPanel(L"", 120);
    bar->AddPanel(L"", 100).SetBevel(pbRaised);
    bar->AddPanel(L"", 60).SetBevel(pbNone);
    bar->SetParent(&f);
    simple = &OwnedComponent<TStatusBar>(f);
    simple->SetSimplePanel(true);
    simple->SetSizeGrip(false);
    simple->SetParent(&f);
  });
  TSkinData& data = DataOf(form);
  const TDataSkinObject& edges = *data.Object(ssStatusBarEdges);
  // The first panel, lowered, two pixels wider than the bar says.
  RECT first = PanelRect(*bar, 0);
  first.right += 2;
  TBitmap shot = Capture(first);
  EXPECT_GT(MatchingShare(shot, EdgeCell(edges, first, 1), 6), 0.95);
  RECT second = PanelRect(*bar, 1);
  second.right += 2;
  EXPECT_GT(MatchingShare(Capture(second), EdgeCell(edges, second, 2), 6), 0.95);
  // The last panel reaches the right edge of the bar, grip over it.
  RECT last = PanelRect(*bar, 2);
  last.right = WindowRect(bar->Handle()).right;
  const TBitmap last_shot = Capture(last);
  const TBitmap flat = EdgeCell(edges, last, 3);
  EXPECT_EQ(last_shot.Pixel(last_shot.Width() - 1, 2), flat.Pixel(flat.Width() - 1, 2));
  // The grip: cell 5 of the extra images, one pixel in from the corner.
  const TDataSkinObject& extra = *data.Object(ssExtraImages);
  const int gw = extra.Bitmap.Width() / 5, gh = extra.Bitmap.Height();
  const RECT whole = WindowRect(bar->Handle());
  const TBitmap grip =
      Capture({whole.right - 1 - gw, whole.bottom - 1 - gh, whole.right - 1, whole.bottom - 1});
  TBitmap expected =
      Capture({whole.right - 1 - gw, whole.bottom - 1 - gh, whole.right - 1, whole.bottom - 1});
  expected.CopyRect(expected.BoundsRect(), extra.Bitmap, Bounds(4 * gw, 0, gw, gh), true);
  EXPECT_DOUBLE_EQ(MatchingShare(grip, expected, 0), 1.0);
  int drawn = 0;
  for (int y = 0; y < gh; ++y) {
    for (int x = 0; x < gw; ++x) drawn += extra.Bitmap.Pixel(4 * gw + x, y) != clFuchsia;
  }
  EXPECT_GT(drawn, 4);
  // Without the grip style there is none.
  bar->SetSizeGrip(false);
  bar->Invalidate();
  Pump(150);
  EXPECT_LT(MatchingShare(Capture({whole.right - 1 - gw, whole.bottom - 1 - gh, whole.right - 1,
                                   whole.bottom - 1}),
                          expected, 0),
            1.0);
  // Simple mode with no text: one lowered panel across the whole bar.
  const RECT s = WindowRect(simple->Handle());
  EXPECT_GT(MatchingShare(Capture(s), EdgeCell(edges, s, 1), 6), 0.97);
}

// Stored skin `skin` without its "StatusBarEdges" section, as a package.
std::vector<std::uint8_t> SkinWithoutStatusEdges(TSkinStore& store, int skin) {
  TSkinReader reader;
  TMemoryStream& package = store.Store().Items(skin).Data();
  package.SetPosition(0);
  EXPECT_TRUE(reader.Load(package));
  TSkinArchiveWriter writer;
  for (int i = 0; i < reader.EntryCount(); ++i) {
    TMemoryStream member;
    reader.ExtractMember(i, member);
    std::vector<std::uint8_t> bytes(static_cast<size_t>(member.Size()));
    member.Read(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    std::string name = reader.Names()[i];
    if (name.find(".ini") != std::string::npos) {
      std::string text(bytes.begin(), bytes.end());
      const size_t at = text.find("[StatusBarEdges]");
      if (at != std::string::npos) text.replace(at, 16, "[NoStatusBarEdges]");
      bytes.assign(text.begin(), text.end());
    }
    writer.AddMember(name, bytes);
  }
  return writer.BuildCompressed(TLzhMatching::lmGreedy);
}

TEST_F(PanelsTest, WithoutStatusBarEdgesPanelsGetPlainBevels) {
  TStatusBar* bar = nullptr;
  TForm& form = ShowSkinned(2, [&](TForm& f) {
    bar = &OwnedComponent<TStatusBar>(f);
    bar->AddPanel(L"", 120);
    bar->AddPanel(L"", 100).SetBevel(pbRaised);
    bar->SetParent(&f);
  });
  TSkinData& data = DataOf(form);
  const std::vector<std::uint8_t> package = SkinWithoutStatusEdges(Store(), 2);
  TMemoryStream stream;
  const std::int32_t size = static_cast<std::int32_t>(package.size());
  stream.Write(&size, 4);
  stream.Write(package.data(), size);
  stream.SetPosition(0);
  data.ReadSkinStream(stream);
  data.ApplyNewSkin();
  Flush();
  Pump(300);
  ASSERT_EQ(data.Object(ssStatusBarEdges), nullptr);
  bar->Invalidate();
  Pump(150);
  const RECT first = PanelRect(*bar, 0);
  const TBitmap shot = Capture({first.left, first.top, first.right + 2, first.bottom});
  EXPECT_EQ(shot.Pixel(5, 0), ColorToRGB(clBtnShadow)) << "lowered: dark above";
  EXPECT_EQ(shot.Pixel(5, shot.Height() - 1), ColorToRGB(clBtnHighlight));
  const RECT second = PanelRect(*bar, 1);
  const TBitmap raised = Capture({second.left, second.top, second.right + 2, second.bottom});
  EXPECT_EQ(raised.Pixel(5, 0), ColorToRGB(clBtnHighlight)) << "raised: light above";
}

}  // namespace
