#include "tests/native/skin_data/TestSkin.h"

#include <filesystem>

#include "framework/Streams.h"
#include "skin/data/WinSkinData.h"
#include "skin/packages/SkinArchiveWriter.h"

TTestSkin& TTestSkin::Ini(std::string text) {
  return File("skin.ini", std::vector<std::uint8_t>(text.begin(), text.end()));
}

TTestSkin& TTestSkin::Bitmap(const std::string& name, const TBitmap& bitmap,
                             const TBmpWriteOptions& options) {
  return File(name, WriteBmp(bitmap, options));
}

TTestSkin& TTestSkin::File(const std::string& name, std::vector<std::uint8_t> bytes) {
  for (auto& file : files_) {
    if (file.first == name) {
      file.second = std::move(bytes);
      return *this;
    }
  }
  files_.emplace_back(name, std::move(bytes));
  return *this;
}

std::vector<std::uint8_t> TTestSkin::Package() const {
  TSkinArchiveWriter writer;
  for (const auto& [name, bytes] : files_) writer.AddMember(name, bytes);
  return writer.BuildCompressed();
}

void TTestSkin::WriteFolder(const std::string& dir) const {
  std::filesystem::create_directories(dir);
  for (const auto& [name, bytes] : files_) TBytesStream(bytes).SaveToFile(dir + "/" + name);
}

TColor CellColour(int seed, int cell) {
  return RGBColour((seed * 37 + cell * 11) % 200 + 20, (seed * 53 + cell * 5) % 200 + 30,
                   (seed * 17 + cell * 67) % 200 + 10);
}

TBitmap Strip(int seed, int cells, int cell_width, int height) {
  TBitmap b(cells * cell_width, height);
  for (int k = 1; k <= cells; ++k) {
    b.FillRect(Bounds((k - 1) * cell_width, 0, cell_width, height), CellColour(seed, k));
    b.SetPixel((k - 1) * cell_width, 0, clFuchsia);
  }
  return b;
}

TTestEnvironment::TTestEnvironment()
    : platform_(new TTestPlatform), environment_(std::unique_ptr<TSkinPlatform>(platform_), [] {
        return std::make_unique<TRecordingSkinManager>();
      }) {}

void LoadPackage(TSkinData& data, const std::vector<std::uint8_t>& package) {
  TMemoryStream value;
  const auto n = static_cast<std::uint32_t>(package.size());
  const std::uint8_t count[4] = {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                                 static_cast<std::uint8_t>(n >> 16),
                                 static_cast<std::uint8_t>(n >> 24)};
  value.WriteBuffer(count, 4);
  value.WriteBytes(package);
  value.SetPosition(0);
  data.ReadSkinStream(value);
}

namespace {

// Two cells stacked, for the top and bottom frame borders.
TBitmap Stacked(int seed, int width, int cell_height) {
  TBitmap b(width, 2 * cell_height);
  b.FillRect(Bounds(0, 0, width, cell_height), CellColour(seed, 1));
  b.FillRect(Bounds(0, cell_height, width, cell_height), CellColour(seed, 2));
  return b;
}

TBmpWriteOptions Depth(int bits, bool rle = false, bool top_down = false) {
  TBmpWriteOptions o;
  o.bit_count = bits;
  o.rle = rle;
  o.top_down = top_down;
  return o;
}

constexpr char kCompleteIni[] = R"([Skin]
Name=Complete test skin

[Personality]
Left=frameleft.bmp
LeftTopHeight=28
LeftBotHeight=5
LeftFrame=2
LeftTrans=0
Right=frameright.bmp
RightTopHeight=26
RightBotHeight=6
RightFrame=2
RightStretch=0
Top=frametop.bmp
TopTopHeight=12
TopBotHeight=14
TopFrame=2
TopStretch=5
Bottom=framebottom.bmp
BottomFrame=2
BottomTrans=1
TextBack=titleback.bmp
TextShift=30
TextShiftVert=6
TextRightClip=80
TextAlignment=1
Textbackground=1
TXTBackleft=3
TXTBackRight=4
ActiveTextR=250
ActiveTextG=251
ActiveTextB=252
InActiveTextR=10
InActiveTextG=20
menuBar=menubar.bmp
TileMenu=0
TileLeftMenu=3
TileRightMenu=5

[Colours]
WindowText=1 2 3
Window=250;251;252
ButtonFace=200, 210, 220
Hilight=0,128,255
ButtonText=20 30 40
ButtonShadow=300 0 0

[Buttons]
Bitmap=buttons.bmp
CheckButton=checkbox.bmp
RadioButton=radio.bmp
LeftWidth=4
TopHeight=5
RightWidth=6
BottomHeight=7
Trans=1
Tile=5
NormalColour=255
NormalColour2=9 8 7
PressedColour2=

[ButtonClose]
ButtonImage=btnclose.bmp
Action=0
Align=1
Xcoord=30
Ycoord=4
Visibility=0
Visibility1=2
CombineOp=1

[ButtonMax]
ButtonImage=btnmax.bmp
Action=1
Align=1
Xcoord=50

[ButtonMin]
ButtonImage=btnmin.bmp
Action=2
frame=4

[ButtonSysMenu]
ButtonImage=btnicon.bmp
Action=3

[ButtonDeco]
ButtonImage=btndeco.bmp
Action=-1
Visibility=0

[ButtonHidden]
ButtonImage=btndeco.bmp
Action=-1

[Button.Checkbox]
Action=5

[Button.Radio]
Action=5

[Button]
Action=5

[MDICONTROLS]
Image=mdicontrols.bmp

[Tabs]
Image=tabs.bmp
Border=tabborder.bmp
LeftWidth=3
Style=1

[Tab.Pane]
Image=tabpane.bmp
LeftWidth=9
TopHeight=2
RightWidth=6
BottomHeight=4

[UpDown.Horz]
Image=updownh.bmp
GlyphImage=updownglyph.bmp

[UpDown.Vert]
Image=updownv.bmp
GlyphImage=updownglyph.bmp

[SunkEdge]
Image=sunkedge.bmp
LeftWidth=3
TopHeight=3
RightWidth=3
BottomHeight=3
Trans=1

[ExtraImages]
Image=extraimages.bmp

[ComboButton]
Image=combobutton.bmp
Trans=1

[GroupBoxEdge]
Image=groupboxedge.bmp

[GroupBox]
Image=groupbox.bmp
BackgroundAlignment=2
BackgroundLeftShift=7
BackgroundRightShift=8
NormalColour2=1 1 1

[ToolBars]
Image=toolbars.bmp

[Progress]
Bitmap=progress.bmp
Style=1
Tile=5
LeftWidth=2

[Progress.Chunk]
Image=progresschunk.bmp
Frame=3

[StatusBarEdges]
Image=statusbar.bmp

[Headerbar]
Image=skins\headers\header.bmp

[MenuItem]
Image=menuitem.bmp
Tile=5
MouseOverColour=65280

[MenuBackground]
Image=menuback.bmp

[Scrollbar]
Image=scrollbar.bmp

[HorzScroll]
Image=scrollhorz.bmp

[VertScroll]
Image=scrollvert.bmp

[HorzScrollThumb]
Image=thumbh.bmp
FrameCount=4

[VertScrollThumb]
Image=thumbv.bmp

[Trackbar.ThumbHorz]
Image=thumbhorz.bmp

[Trackbar.ThumbVert]
Image=thumbvert.bmp

[Trackbar.ThumbLeft]
Image=thumbleft.bmp

[Trackbar.ThumbRight]
Image=thumbright.bmp

[Trackbar.ThumbUp]
Image=thumbup.bmp

[Trackbar.ThumbDown]
Image=thumbdown.bmp

[TRACKVERT]
Image=trackvert.bmp
Frame=2
)";

}  // namespace

TTestSkin CompleteTestSkin() {
  TTestSkin skin;
  skin.Ini(kCompleteIni);
  skin.Bitmap("frameleft.bmp", Strip(1, 2, 6, 60))
      .Bitmap("frameright.bmp", Strip(2, 2, 6, 60), Depth(8))
      .Bitmap("frametop.bmp", Stacked(3, 120, 30))
      .Bitmap("framebottom.bmp", Stacked(4, 120, 5), Depth(4))
      .Bitmap("titleback.bmp", Strip(5, 1, 40, 20), Depth(8, true))
      .Bitmap("menubar.bmp", Strip(6, 2, 30, 20), Depth(32))
      .Bitmap("buttons.bmp", Strip(7, 5, 20, 21), Depth(8, true))
      .Bitmap("checkbox.bmp", Strip(8, 12, 13, 13), Depth(4, true))
      .Bitmap("radio.bmp", Strip(9, 2, 20, 20), Depth(24, false, true))
      .Bitmap("btnclose.bmp", Strip(10, 6, 28, 16))
      .Bitmap("btnmax.bmp", Strip(11, 3, 16, 16), Depth(8))
      .Bitmap("btnmin.bmp", Strip(12, 4, 16, 16))
      .Bitmap("btnicon.bmp", Strip(13, 2, 16, 16))
      .Bitmap("btndeco.bmp", Strip(14, 3, 20, 20))
      .Bitmap("mdicontrols.bmp", Strip(15, 12, 14, 14), Depth(8))
      .Bitmap("tabs.bmp", Strip(16, 5, 20, 20))
      .Bitmap("tabborder.bmp", Strip(17, 1, 12, 12), Depth(4))
      .Bitmap("tabpane.bmp", Strip(18, 1, 30, 30), Depth(32, false, true))
      .Bitmap("updownh.bmp", Strip(19, 8, 10, 9))
      .Bitmap("updownv.bmp", Strip(20, 8, 9, 10))
      .Bitmap("updownglyph.bmp", Strip(21, 4, 5, 5), Depth(4))
      .Bitmap("sunkedge.bmp", Strip(22, 4, 20, 21))
      .Bitmap("extraimages.bmp", Strip(23, 5, 7, 4))
      .Bitmap("combobutton.bmp", Strip(24, 4, 17, 21))
      .Bitmap("groupboxedge.bmp", Strip(25, 2, 8, 8), Depth(8))
      .Bitmap("groupbox.bmp", Strip(26, 1, 20, 16))
      .Bitmap("toolbars.bmp", Strip(27, 5, 22, 22), Depth(8, true))
      .Bitmap("progress.bmp", Strip(28, 1, 40, 12))
      .Bitmap("progresschunk.bmp", Strip(29, 3, 6, 10), Depth(4))
      .Bitmap("statusbar.bmp", Strip(30, 3, 10, 10))
      .Bitmap("header.bmp", Strip(31, 5, 16, 18))
      .Bitmap("menuitem.bmp", Strip(32, 5, 24, 20), Depth(8))
      .Bitmap("menuback.bmp", Strip(33, 1, 32, 32))
      .Bitmap("scrollbar.bmp", Strip(34, 23, 16, 16), Depth(32, false, true))
      .Bitmap("scrollhorz.bmp", Strip(35, 4, 16, 16))
      .Bitmap("scrollvert.bmp", Strip(36, 4, 16, 16))
      .Bitmap("thumbh.bmp", Strip(37, 4, 16, 16), Depth(8, true))
      .Bitmap("thumbv.bmp", Strip(38, 3, 16, 16))
      .Bitmap("thumbhorz.bmp", Strip(39, 5, 11, 20))
      .Bitmap("thumbvert.bmp", Strip(40, 5, 20, 11))
      .Bitmap("thumbleft.bmp", Strip(41, 5, 20, 11))
      .Bitmap("thumbright.bmp", Strip(42, 5, 20, 11))
      .Bitmap("thumbup.bmp", Strip(43, 5, 11, 20))
      .Bitmap("thumbdown.bmp", Strip(44, 5, 11, 20))
      .Bitmap("trackvert.bmp", Strip(45, 2, 4, 16), Depth(4));
  return skin;
}
