// The combo boxes of the system's file dialog under every skin, as a person
// sees them: each drawn from the skin's combo image, the file-type field,
// the name's edit and the dropped file-type list in the skin's content
// colours, and every text in them reading at 4.5:1 or better (7:1 in the
// high-contrast skin), checked from the pixels on the screen.
#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/Timer.h"
#include "framework/Unicode.h"
#include "skin/controls/SkinComBox.h"
#include "skin/data/SkinRender.h"
#include "skin/form/SkinWindowMessages.h"
#include "tests/wine/app/DialogDriver.h"
#include "tests/wine/skin_combos/ComboTestSupport.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"

namespace {

using namespace combo_test;

std::vector<HWND> Combos(HWND dialog) {
  std::vector<HWND> found;
  EnumChildWindows(
      dialog,
      [](HWND h, LPARAM lp) -> BOOL {
        if (IsWindowVisible(h) && dialog_driver::ClassOf(h) == L"ComboBox") {
          reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

class FileDialogCombosTest : public SkinControlsTest {
 protected:
  static TSkinComBox* ObjectOfWindow(TWinSkinForm& engine, HWND combo) {
    for (const auto& object : engine.Controls()) {
      if (object->Handle() == combo) return dynamic_cast<TSkinComBox*>(object.get());
    }
    return nullptr;
  }
  // Whether the screen shows one of the combo image's cells in the
  // combo's button (its own pixels, not the magenta ones).
  static bool ShowsSkinButton(const TSkinData& data, HWND combo, const TSkinComBox& object) {
    const TDataSkinObject& image = *data.Object(ssComboButton);
    const int frames = std::max(1, data.Object(ssSunkEdge)->Frame);
    RECT client{};
    GetClientRect(combo, &client);
    const TBitmap shot = Capture(ScreenOf(combo, client));
    const TRect b = object.ButtonRect();
    for (int cell = 1; cell <= frames; ++cell) {
      const TBitmap want = RenderSkinCell(image, client.right, client.bottom, frames, cell);
      int drawn = 0, same = 0;
      for (int y = b.top; y < b.bottom; ++y) {
        for (int x = b.left; x < b.right; ++x) {
          if (want.Pixel(x, y) == clFuchsia) continue;
          ++drawn;
          if (Near(want.Pixel(x, y), shot.Pixel(x, y))) ++same;
        }
      }
      if (drawn > 20 && same > drawn * 9 / 10) return true;
    }
    return false;
  }
};

TEST_F(FileDialogCombosTest, CombosAreSkinnedAndReadableUnderEverySkin) {
  TForm& form = ShowSkinnedForm(0);
  TSkinData& data = *EngineOf(form.Handle())->SkinData();
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    data.LoadFromSkinStore(&Store(), skin);
    Flush();
    ASSERT_TRUE(WaitSkinned(form.Handle()));
    const TColor window = ColorToRGB(data.Colours().Window) & 0xFFFFFF;
    const double wanted = skin == kContrastSkin ? 7.0 : 4.5;
    int ticks = 0, settled = 0, combos = 0, lists = 0;
    std::vector<std::string> faults;
    const auto fault = [&](HWND combo, const char* what, const TTextLook& look) {
      char line[256];
      std::snprintf(line, sizeof line, "combo %d (style %x): %s, %.2f:1 (ink %06X on %06X)",
                    GetDlgCtrlID(combo),
                    static_cast<unsigned>(GetWindowLongPtrW(combo, GWL_STYLE) & 0xFFFF), what,
                    look.ratio, static_cast<unsigned>(look.ink), static_cast<unsigned>(look.back));
      faults.push_back(line);
    };
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
      for (HWND combo : Combos(box)) {
        const COMBOBOXINFO info = InfoOf(combo);
        if (info.hwndItem && info.hwndItem != combo) {
          SetWindowTextW(info.hwndItem, L"track.wma");
        }
      }
      RedrawWindow(box, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
      // A busy display may show a text a moment after it was painted.
      const auto read = [&](const RECT& r, bool want_window) {
        TTextLook look = ReadText(Capture(r));
        for (int retry = 0;
             retry < 10 && (look.ratio < wanted || (want_window && !Near(look.back, window)));
             ++retry) {
          Sleep(100);
          look = ReadText(Capture(r));
        }
        return look;
      };
      for (HWND combo : Combos(box)) {
        ++combos;
        if (SendMessageW(combo, SKM_ISSKINNED, 0, 0) != 1) {
          faults.push_back("combo " + std::to_string(GetDlgCtrlID(combo)) + " is not skinned");
          continue;
        }
        TSkinComBox* object = ObjectOfWindow(*engine, combo);
        if (!object || !ShowsSkinButton(data, combo, *object)) {
          faults.push_back("combo " + std::to_string(GetDlgCtrlID(combo)) +
                           " shows no button of the skin");
        }
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(combo, GWL_STYLE));
        const bool owner_drawn = (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
        const COMBOBOXINFO info = InfoOf(combo);
        RECT field = info.rcItem;
        InflateRect(&field, -1, -1);
        const bool has_edit = info.hwndItem && info.hwndItem != combo;
        const RECT text = has_edit ? WindowRect(info.hwndItem) : ScreenOf(combo, field);
        // An owner-drawn field is its owner's: it only has to read.
        const TTextLook look = read(text, !owner_drawn);
        if (look.ratio < wanted) fault(combo, "field does not read", look);
        if (!owner_drawn && !Near(look.back, window)) fault(combo, "field not in Window", look);
        // The file types, dropped.
        if ((style & 3) == CBS_DROPDOWNLIST && !owner_drawn) {
          SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
          HWND list = InfoOf(combo).hwndList;
          RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
          RECT rows{};
          GetClientRect(list, &rows);
          const TTextLook dropped = read(ScreenOf(list, rows), true);
          ++lists;
          if (dropped.ratio < wanted) fault(combo, "dropped list does not read", dropped);
          if (!Near(dropped.back, window)) fault(combo, "dropped list not in Window", dropped);
          SaveShot(box, std::string("file-dialog-combo-list-") + kSkinFiles[skin]);
          SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
        }
      }
      SaveShot(box, std::string("file-dialog-combos-") + kSkinFiles[skin]);
      PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    };
    timer.SetEnabled(true);
    wchar_t file[MAX_PATH] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = form.Handle();
    ofn.lpstrFilter = L"WMA (*.wma)\0*.wma\0All files\0*.*\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_ENABLESIZING | OFN_PATHMUSTEXIST | OFN_EXPLORER;
    GetOpenFileNameW(&ofn);
    timer.SetEnabled(false);
    timer.OnTimer = nullptr;
    EXPECT_GE(combos, 3) << "the dialog's combo boxes were not found";
    EXPECT_GE(lists, 1) << "no file-type list was dropped";
    for (const std::string& line : faults) ADD_FAILURE() << line;
  }
}

}  // namespace
