// The system's dialogs under every skin, as a person reads them: every text
// of a message box, the file dialog and the folder browser stands out from
// the face it is drawn on (4.5:1 or better, 7:1 in the high-contrast skin),
// checked from the pixels on the screen; and a message box the skin widens
// for its caption stays centred where the system put it.
#include <windows.h>
#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <utility>
#include <vector>

#include "framework/Timer.h"
#include "framework/Unicode.h"
#include "tests/wine/app/DialogDriver.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/support/ScreenColours.h"

namespace {

constexpr int kContrastSkin = 3;

using screen_colours::ContrastRatio;
using screen_colours::ReadText;
using screen_colours::TTextLook;

// The part of a text window where its text runs: inside a push button's
// edges, right of a check box's or radio button's mark, a group box's
// caption line.
RECT TextArea(HWND window) {
  RECT r = WindowRect(window);
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (_wcsicmp(name, L"Button") != 0) return r;
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)) & BS_TYPEMASK;
  switch (style) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
      InflateRect(&r, -6, -4);
      break;
    case BS_GROUPBOX:
      r.left += 6;
      r.bottom = r.top + 14;
      break;
    default:
      r.left += 18;
      break;
  }
  return r;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// Every visible static text, check box, radio button, group caption and
// push button of `dialog` (at any depth) with a text of its own.
std::vector<HWND> TextWindows(HWND dialog) {
  std::vector<HWND> found;
  EnumChildWindows(
      dialog,
      [](HWND h, LPARAM lp) -> BOOL {
        if (!IsWindowVisible(h) || GetWindowTextLengthW(h) == 0) return TRUE;
        const std::wstring name = ClassOf(h);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(h, GWL_STYLE));
        const bool text_static =
            _wcsicmp(name.c_str(), L"Static") == 0 && (style & SS_TYPEMASK) <= SS_SIMPLE;
        const bool button = _wcsicmp(name.c_str(), L"Button") == 0;
        if (text_static || button) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// The labels of the tool-bar buttons of `dialog` (the file dialog's
// places): the screen rectangles of the text under each button's picture.
std::vector<std::pair<std::wstring, RECT>> ToolbarLabels(HWND dialog) {
  std::vector<HWND> bars;
  EnumChildWindows(
      dialog,
      [](HWND h, LPARAM lp) -> BOOL {
        if (IsWindowVisible(h) && ClassOf(h) == L"ToolbarWindow32") {
          reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&bars));
  std::vector<std::pair<std::wstring, RECT>> labels;
  for (HWND bar : bars) {
    const auto count = static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      TBBUTTON button{};
      SendMessageW(bar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
      wchar_t text[128] = {};
      if (SendMessageW(bar, TB_GETBUTTONTEXTW, button.idCommand, reinterpret_cast<LPARAM>(text)) <=
          0) {
        continue;
      }
      RECT r{};
      SendMessageW(bar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
      MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&r), 2);
      // The label runs along the button's bottom, below its picture.
      r.top = std::max(r.top, r.bottom - 18);
      InflateRect(&r, -2, 0);
      r.bottom -= 2;
      labels.emplace_back(text, r);
    }
  }
  return labels;
}

class DialogColourTest : public SkinEngineTest {
 protected:
  // Runs `show` (which opens a modal dialog on this thread) under every
  // skin; once the dialog is skinned and painted, every text of it is read
  // from the screen, a picture is saved, and the dialog is cancelled.
  void ExpectReadable(const std::string& what, const std::function<void(HWND)>& show) {
    TForm& form = ShowSkinnedForm(0);
    TSkinData& data = *EngineOf(form.Handle())->SkinData();
    for (int skin = 0; skin < 5; ++skin) {
      SCOPED_TRACE(kSkinFiles[skin]);
      data.LoadFromSkinStore(&Store(), skin);
      Flush();
      ASSERT_TRUE(WaitSkinned(form.Handle()));
      const double wanted = skin == kContrastSkin ? 7.0 : 4.5;
      int texts = 0, ticks = 0, settled = 0;
      std::vector<std::string> faults;
      auto& timer = OwnedComponent<TTimer>(App());
      timer.SetInterval(100);
      timer.OnTimer = [&](TObject*) {
        const HWND box = dialog_driver::FindTopWindow(GetCurrentProcessId(), [&](HWND h) {
          return ClassOf(h) == L"#32770" && GetWindow(h, GW_OWNER) == form.Handle();
        });
        if (++ticks > 80) {
          if (box) PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
          timer.SetEnabled(false);
          return;
        }
        TWinSkinForm* engine = box ? EngineOf(box) : nullptr;
        if (!engine || engine->SkinState() != ksActive || !IsWindowVisible(box) || ++settled < 6) {
          return;
        }
        timer.SetEnabled(false);
        RedrawWindow(box, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        // The screen may show a text a moment after it was painted (a busy
        // display), and the box may still be coming to the top: one that
        // does not read yet is looked at again for two seconds before it
        // counts as unreadable. What lies on the screen at the text's centre
        // tells a box not yet on top from a text not drawn.
        const auto read = [&](const RECT& r, std::string& cover) {
          const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
          const auto on_top = [&] {
            const HWND at = WindowFromPoint(centre);
            return at && GetAncestor(at, GA_ROOT) == box;
          };
          TTextLook look = ReadText(Capture(r));
          for (int retry = 0; retry < 20 && (look.ratio < wanted || !on_top()); ++retry) {
            Sleep(100);
            look = ReadText(Capture(r));
          }
          if (!on_top()) {
            const HWND at = WindowFromPoint(centre);
            cover = " under " + WideToUtf8(at ? ClassOf(at) : L"nothing");
          }
          return look;
        };
        for (HWND text : TextWindows(box)) {
          RECT r = TextArea(text);
          const RECT client = ClientScreenRect(box);
          IntersectRect(&r, &r, &client);
          if (r.right - r.left < 4 || r.bottom - r.top < 6) continue;
          std::string cover;
          const TTextLook look = read(r, cover);
          ++texts;
          if (look.ratio < wanted) {
            char line[320];
            std::snprintf(line, sizeof line, "%s \"%s\": %.2f:1 (ink %06X on %06X)%s",
                          WideToUtf8(ClassOf(text)).c_str(),
                          WideToUtf8(dialog_driver::TextOf(text)).c_str(), look.ratio,
                          static_cast<unsigned>(look.ink), static_cast<unsigned>(look.back),
                          cover.c_str());
            faults.push_back(line);
          }
        }
        for (const auto& [label, r] : ToolbarLabels(box)) {
          std::string cover;
          const TTextLook look = read(r, cover);
          ++texts;
          if (look.ratio < wanted) {
            char line[320];
            std::snprintf(line, sizeof line, "tool-bar label \"%s\": %.2f:1 (ink %06X on %06X)%s",
                          WideToUtf8(label).c_str(), look.ratio, static_cast<unsigned>(look.ink),
                          static_cast<unsigned>(look.back), cover.c_str());
            faults.push_back(line);
          }
        }
        SaveShot(box, what + "-" + kSkinFiles[skin]);
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
      };
      timer.SetEnabled(true);
      show(form.Handle());
      timer.SetEnabled(false);
      timer.OnTimer = nullptr;
      EXPECT_GT(texts, 0) << "no text was read";
      for (const std::string& fault : faults) ADD_FAILURE() << fault;
    }
  }
};

TEST_F(DialogColourTest, EveryTextOfAMessageBoxReadsUnderEverySkin) {
  ExpectReadable("message-box", [](HWND owner) {
    MessageBoxW(owner, L"请选择保存的文件夹", L"Tonmill", MB_OKCANCEL | MB_ICONINFORMATION);
  });
}

TEST_F(DialogColourTest, EveryTextOfTheFileDialogReadsUnderEverySkin) {
  ExpectReadable("file-dialog", [](HWND owner) {
    wchar_t file[MAX_PATH] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = L"WMA (*.wma)\0*.wma\0All files\0*.*\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    // The read-only box stays, so a check box is read as well.
    ofn.Flags = OFN_ENABLESIZING | OFN_PATHMUSTEXIST | OFN_EXPLORER;
    GetOpenFileNameW(&ofn);
  });
}

TEST_F(DialogColourTest, EveryTextOfTheFolderBrowserReadsUnderEverySkin) {
  const HRESULT com = CoInitialize(nullptr);
  ExpectReadable("folder-browser", [](HWND owner) {
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = L"请选择保存的文件夹";
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX;
    if (PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info)) CoTaskMemFree(chosen);
  });
  if (SUCCEEDED(com)) CoUninitialize();
}

// Where the system put the box, seen before the skin manager hears of it:
// hooks run newest first, so this one sees the activation before the
// manager's does.
RECT g_placed{};
LRESULT CALLBACK SeePlacement(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_ACTIVATE && ClassOf(reinterpret_cast<HWND>(wp)) == L"#32770" &&
      IsRectEmpty(&g_placed)) {
    GetWindowRect(reinterpret_cast<HWND>(wp), &g_placed);
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

TEST_F(DialogColourTest, AMessageBoxWidenedForItsCaptionStaysCentredWhereTheSystemPutIt) {
  TForm& form = ShowSkinnedForm(2);
  g_placed = RECT{};
  HHOOK hook = SetWindowsHookExW(WH_CBT, SeePlacement, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  RECT skinned{};
  int ticks = 0;
  auto& timer = OwnedComponent<TTimer>(App());
  timer.SetInterval(100);
  timer.OnTimer = [&](TObject*) {
    const HWND box = dialog_driver::FindTopWindow(GetCurrentProcessId(),
                                                  [](HWND h) { return ClassOf(h) == L"#32770"; });
    if (!box) return;
    TWinSkinForm* engine = EngineOf(box);
    if ((!engine || engine->SkinState() != ksActive) && ++ticks < 50) return;
    timer.SetEnabled(false);
    skinned = WindowRect(box);
    SaveShot(box, "message-box-centred");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  };
  timer.SetEnabled(true);
  MessageBoxW(form.Handle(), L"Hi",
              L"A caption much longer than the few words that the message box itself shows", MB_OK);
  timer.SetEnabled(false);
  UnhookWindowsHookEx(hook);
  ASSERT_FALSE(IsRectEmpty(&g_placed));
  ASSERT_FALSE(IsRectEmpty(&skinned));
  // Widened by well over a hundred pixels, and still around the same point.
  EXPECT_GT((skinned.right - skinned.left) - (g_placed.right - g_placed.left), 100);
  EXPECT_LE(std::abs((skinned.left + skinned.right) - (g_placed.left + g_placed.right)), 4);
  EXPECT_LE(std::abs((skinned.top + skinned.bottom) - (g_placed.top + g_placed.bottom)), 4);
}

}  // namespace
