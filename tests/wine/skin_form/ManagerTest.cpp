// Which windows the skin manager skins, with which skin data, and what its
// commands do to the windows already skinned.
#include <windows.h>

#include "framework/Form.h"
#include "framework/Timer.h"
#include "skin/form/SkinWindowMessages.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"

namespace {

class ManagerTest : public SkinEngineTest {};

// The first visible "#32770" window of this thread, or null.
HWND FindDialog() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM param) -> BOOL {
        char name[16] = {};
        GetClassNameA(hwnd, name, sizeof name);
        if (lstrcmpA(name, "#32770") == 0 && IsWindowVisible(hwnd)) {
          *reinterpret_cast<HWND*>(param) = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

TEST_F(ManagerTest, AFormTaggedNinetyNineIsNeverSkinned) {
  TForm& plain = MakeForm(MainLikeStyle(L"Tagged"));
  plain.SetTag(99);
  TSkinData& data = MakeData(plain, 2);
  data.SetActive(true);
  plain.Show();
  SetForegroundWindow(plain.Handle());
  Pump(300);
  Flush();
  EXPECT_EQ(EngineOf(plain.Handle()), nullptr);
  EXPECT_NE(SendMessageW(plain.Handle(), SKM_ISSKINNED, 0, 0), 1);
  // Another form of the same program is skinned meanwhile.
  TForm& other = MakeForm(MainLikeStyle(L"Other"));
  other.Show();
  SetForegroundWindow(other.Handle());
  EXPECT_TRUE(WaitSkinned(other.Handle()));
}

TEST_F(ManagerTest, MessageBoxGetsTheDialogFrameWidenedForItsCaption) {
  TForm& form = ShowSkinnedForm(2);
  const std::wstring caption =
      L"A caption much longer than the few words that the message box itself shows";
  struct TSeen {
    bool skinned = false;
    TFrameKind kind = fkSingle;
    int width = 0;
    int minimum = 0;
    int button_offset = 1000;
  } seen;
  // The box is modal: it is looked at from a timer that ticks inside its loop.
  auto& timer = OwnedComponent<TTimer>(App());
  timer.SetInterval(100);
  int ticks = 0;
  timer.OnTimer = [&](TObject*) {
    const HWND box = FindDialog();
    if (!box || ++ticks > 50) {
      if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
      return;
    }
    TWinSkinForm* engine = EngineOf(box);
    if (!engine || engine->SkinState() != ksActive) return;
    seen.skinned = SendMessageW(box, SKM_ISSKINNED, 0, 0) == 1;
    seen.kind = engine->FrameKind();
    const RECT r = WindowRect(box);
    seen.width = r.right - r.left;
    const TDataSkinTitle& title = engine->SkinData()->Title();
    HDC dc = GetDC(nullptr);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    HFONT font = CreateFontIndirectW(&metrics.lfCaptionFont);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    seen.minimum = title.LeftWidth + extent.cx + title.RightWidth;
    // The OK button stays in the middle of the widened box.
    if (HWND ok = GetDlgItem(box, IDOK)) {
      const RECT b = WindowRect(ok);
      const RECT client = ClientScreenRect(box);
      seen.button_offset = (b.left + b.right) / 2 - (client.left + client.right) / 2;
    }
    SaveShot(box, "message-box");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  };
  MessageBoxW(form.Handle(), L"Hi", caption.c_str(), MB_OK);
  timer.SetEnabled(false);
  EXPECT_TRUE(seen.skinned);
  EXPECT_EQ(seen.kind, fkDialog);
  EXPECT_GE(seen.width, seen.minimum);
  EXPECT_LE(seen.width, seen.minimum + 2);
  // Unmoved, the button would sit half the growth (here over 100 pixels)
  // left of the middle; the system's own placement is within a few pixels.
  EXPECT_LE(std::abs(seen.button_offset), 4);
}

// A window class of the program whose name contains "Preview".
HWND MakePreviewWindow() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"TestPrintPreviewWindow";
  RegisterClassExW(&wc);
  return CreateWindowExW(0, wc.lpszClassName, L"Preview", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                         100, 300, 200, nullptr, nullptr, wc.hInstance, nullptr);
}

TEST_F(ManagerTest, PreviewWindowsFollowThePreviewOption) {
  TForm& form = ShowSkinnedForm(2);
  TSkinData& data = *EngineOf(form.Handle())->SkinData();
  HWND with = MakePreviewWindow();
  SetForegroundWindow(with);
  EXPECT_TRUE(WaitSkinned(with)) << "skinned while the option is set";
  DestroyWindow(with);
  TSkinOptions options = data.Options();
  options.Exclude(xoPreview);
  data.SetOptions(options);
  HWND without = MakePreviewWindow();
  SetForegroundWindow(without);
  Pump(300);
  EXPECT_EQ(EngineOf(without), nullptr);
  DestroyWindow(without);
  Pump(50);
}

TEST_F(ManagerTest, SwitchingOffUnskinsEveryFormAndALoadedSkinReachesThemAll) {
  TForm& first = ShowSkinnedForm(2);
  TSkinData& data = *EngineOf(first.Handle())->SkinData();
  TForm& second = MakeForm(SizableStyle());
  second.Show();
  SetForegroundWindow(second.Handle());
  ASSERT_TRUE(WaitSkinned(second.Handle()));

  // Another stored skin: both frames follow.
  const int caption_before = EngineOf(first.Handle())->Metrics().caption;
  data.LoadFromSkinStore(&Store(), 4);
  Flush();
  const TBitmap& top = data.FrameBorder(fbTop).Bitmap;
  const int caption_after = top.Height() / std::max(data.FrameBorder(fbTop).Frame, 1);
  for (TForm* form : {&first, &second}) {
    TWinSkinForm* engine = EngineOf(form->Handle());
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(engine->Metrics().caption, caption_after);
    const RECT outer = WindowRect(form->Handle());
    const RECT client = ClientScreenRect(form->Handle());
    EXPECT_EQ(client.top - outer.top, caption_after);
  }
  EXPECT_EQ(ClientScreenRect(first.Handle()).right - ClientScreenRect(first.Handle()).left, 533);
  (void)caption_before;

  data.SetActive(false);
  Flush();
  for (TForm* form : {&first, &second}) {
    EXPECT_EQ(EngineOf(form->Handle()), nullptr);
    EXPECT_NE(SendMessageW(form->Handle(), SKM_ISSKINNED, 0, 0), 1);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(form->Handle(), region), ERROR) << "no region left";
    DeleteObject(region);
  }
  EXPECT_EQ(ClientScreenRect(first.Handle()).bottom - ClientScreenRect(first.Handle()).top, 456);
}

TEST_F(ManagerTest, FormsWithTheirOwnSkinDataEachGetTheirOwnSkin) {
  TForm& a = MakeForm(MainLikeStyle(L"A"));
  TForm& b = MakeForm(MainLikeStyle(L"B"));
  TSkinData& data_a = MakeData(a, 0, sfOnlyThisForm);
  TSkinData& data_b = MakeData(b, 3, sfOnlyThisForm);
  a.Show();
  b.Show();
  data_a.SetActive(true);
  Flush();
  data_b.SetActive(true);
  Flush();
  ASSERT_TRUE(WaitSkinned(a.Handle()));
  ASSERT_TRUE(WaitSkinned(b.Handle()));
  EXPECT_EQ(EngineOf(a.Handle())->SkinData(), &data_a);
  EXPECT_EQ(EngineOf(b.Handle())->SkinData(), &data_b);
  // Switching one off leaves the other skinned.
  data_a.SetActive(false);
  Flush();
  EXPECT_EQ(EngineOf(a.Handle()), nullptr);
  EXPECT_NE(EngineOf(b.Handle()), nullptr);
}

}  // namespace
