// The edits of the system's file dialog and folder browser, and of a
// dialog made from a template (one with a border, one without), under
// every skin: the walk reaches them and gives them the skin's border (where
// they have one) and content colours, and what is typed into them reads
// well (4.5:1 or better, 7:1 in the high-contrast skin), checked from the
// pixels on the screen.
#include <windows.h>
#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "framework/Timer.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinWindowMessages.h"
#include "tests/wine/app/DialogDriver.h"
#include "tests/wine/skin_fields/FieldsTestSupport.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"

namespace {

constexpr int kContrastSkin = 3;

// The visible edit windows of `dialog`, at any depth (the file name box
// is an edit inside a combo box).
std::vector<HWND> DialogEdits(HWND dialog) {
  std::vector<HWND> found;
  EnumChildWindows(
      dialog,
      [](HWND h, LPARAM lp) -> BOOL {
        if (IsWindowVisible(h) && _wcsicmp(dialog_driver::ClassOf(h).c_str(), L"Edit") == 0) {
          reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// A dialog of its own, made from a template in memory: an edit with a
// border and one without, as dialogs of other programs and libraries have.
void ShowDialogWithBareEdit(HWND owner) {
  std::vector<WORD> t;
  const auto dword = [&t](DWORD v) {
    t.push_back(LOWORD(v));
    t.push_back(HIWORD(v));
  };
  const auto text = [&t](const wchar_t* s) {
    for (; *s; ++s) t.push_back(static_cast<WORD>(*s));
    t.push_back(0);
  };
  const auto item = [&](DWORD style, short y, WORD id) {
    if (t.size() % 2) t.push_back(0);  // items start on a DWORD
    dword(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | style);
    dword(0);
    for (short v : {short{10}, y, short{120}, short{14}}) t.push_back(static_cast<WORD>(v));
    t.push_back(id);
    t.push_back(0xFFFF);
    t.push_back(0x0081);  // the edit class
    text(L"");
    t.push_back(0);  // no creation data
  };
  dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
  dword(0);
  t.push_back(2);  // items
  for (short v : {short{40}, short{40}, short{160}, short{70}}) t.push_back(static_cast<WORD>(v));
  t.push_back(0);  // no menu
  t.push_back(0);  // the dialog class
  text(L"Edits");
  item(WS_BORDER, 10, 101);
  item(0, 34, 102);
  DialogBoxIndirectParamW(
      GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(t.data()), owner,
      [](HWND dialog, UINT message, WPARAM w, LPARAM) -> INT_PTR {
        if (message == WM_COMMAND && (LOWORD(w) == IDCANCEL || LOWORD(w) == IDOK)) {
          EndDialog(dialog, LOWORD(w));
          return TRUE;
        }
        return message == WM_INITDIALOG;
      },
      0);
}

class DialogEditTest : public SkinEngineTest {
 protected:
  // Runs `show` (a modal dialog on this thread) under every skin; once the
  // dialog is skinned, text is put into each of its edits and read back
  // from the screen.
  void ExpectSkinnedEdits(const std::string& what, const std::function<void(HWND)>& show) {
    TForm& form = ShowSkinnedForm(0);
    TSkinData& data = *EngineOf(form.Handle())->SkinData();
    for (int skin = 0; skin < 5; ++skin) {
      SCOPED_TRACE(kSkinFiles[skin]);
      data.LoadFromSkinStore(&Store(), skin);
      Flush();
      ASSERT_TRUE(WaitSkinned(form.Handle()));
      const double wanted = skin == kContrastSkin ? 7.0 : 4.5;
      const TColor window = ColorToRGB(data.Colours().Window) & 0xFFFFFF;
      int edits = 0, ticks = 0, settled = 0;
      std::vector<std::string> faults;
      auto& timer = OwnedComponent<TTimer>(App());
      timer.SetInterval(100);
      timer.OnTimer = [&](TObject*) {
        const HWND box = dialog_driver::FindTopWindow(GetCurrentProcessId(), [&](HWND h) {
          return dialog_driver::ClassOf(h) == L"#32770" && GetWindow(h, GW_OWNER) == form.Handle();
        });
        if (++ticks > 80) {
          if (box) PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
          timer.SetEnabled(false);
          return;
        }
        TWinSkinForm* engine = box ? EngineOf(box) : nullptr;
        if (!engine || engine->SkinState() != ksActive || ++settled < 6) return;
        timer.SetEnabled(false);
        for (HWND edit : DialogEdits(box)) {
          ++edits;
          char line[256];
          // The edit of a combo box is skinned with its combo box.
          const bool own =
              _wcsicmp(dialog_driver::ClassOf(GetParent(edit)).c_str(), L"#32770") == 0;
          if (own && SendMessageW(edit, SKM_ISSKINNED, 0, 0) != 1) {
            std::snprintf(line, sizeof line, "edit %d is not skinned", edits);
            faults.push_back(line);
            continue;
          }
          SetWindowTextW(edit, L"WWWW 0123");
          RedrawWindow(edit, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
          const RECT client = ClientScreenRect(edit);
          const RECT text{client.left, client.top, std::min(client.right, client.left + 80),
                          client.bottom};
          fields::TTextLook look = fields::ReadText(Capture(text));
          for (int retry = 0; retry < 10 && look.ratio < wanted; ++retry) {
            Sleep(100);
            look = fields::ReadText(Capture(text));
          }
          if (look.ratio < wanted || !fields::Near(look.back, window, 2)) {
            std::snprintf(line, sizeof line, "edit %d: %.2f:1 (ink %06X on %06X, content %06X)",
                          edits, look.ratio, static_cast<unsigned>(look.ink),
                          static_cast<unsigned>(look.back), static_cast<unsigned>(window));
            faults.push_back(line);
          }
        }
        SaveShot(box, what + "-edits-" + kSkinFiles[skin]);
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
      };
      timer.SetEnabled(true);
      show(form.Handle());
      timer.SetEnabled(false);
      timer.OnTimer = nullptr;
      EXPECT_GT(edits, 0) << "no edit was found";
      for (const std::string& fault : faults) ADD_FAILURE() << fault;
    }
  }
};

TEST_F(DialogEditTest, TheFolderBrowsersEditIsSkinnedAndReadsUnderEverySkin) {
  const HRESULT com = CoInitialize(nullptr);
  ExpectSkinnedEdits("folder-browser", [](HWND owner) {
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = L"请选择保存的文件夹";
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_USENEWUI;
    if (PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info)) CoTaskMemFree(chosen);
  });
  if (SUCCEEDED(com)) CoUninitialize();
}

TEST_F(DialogEditTest, TheFileDialogsEditsAreSkinnedAndReadUnderEverySkin) {
  ExpectSkinnedEdits("file-dialog", [](HWND owner) {
    wchar_t file[MAX_PATH] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = L"WMA (*.wma)\0*.wma\0All files\0*.*\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_ENABLESIZING | OFN_PATHMUSTEXIST | OFN_EXPLORER;
    GetOpenFileNameW(&ofn);
  });
}

TEST_F(DialogEditTest, ADialogsEditWithoutABorderReadsInTheContentColoursUnderEverySkin) {
  ExpectSkinnedEdits("bare-dialog", [](HWND owner) { ShowDialogWithBareEdit(owner); });
}

}  // namespace
