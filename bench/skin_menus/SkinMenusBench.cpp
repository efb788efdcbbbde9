// Measures skinned popup menus under Windows (or Wine), each against the
// same menu in the same run with the skin off and its items owner-drawn
// all the same, by the framework's plain painter (so the ratio is the
// skin's cost alone):
//  1. opening a popup menu of 30 items until it is on the screen;
//  2. moving the selection down the 30 items with the keyboard until the
//     last one shows selected.
// The figures of the menu drawn by the system itself (not owner-drawn)
// are printed beside them. The three ways take turns in blocks, so that a
// change of the machine's load falls on each alike. A thread of its own
// plays the user while the menu's loop holds the window's thread. The
// skins are read from the skins folder beside the program.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Menus.h"
#include "framework/Unicode.h"
#include "skin/data/SkinManage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinEngine.h"
#include "skin/form/WinSkinForm.h"
#include "skin/packages/WinSkinStore.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kItems = 30;

std::string BinDir() {
  wchar_t path[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  const std::wstring dir(path, n);
  return WideToUtf8(dir.substr(0, dir.find_last_of(L"\\/") + 1));
}

HWND VisibleMenuWindow() {
  HWND found = nullptr;
  EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(hwnd, name, 16);
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (std::wstring(name) == L"#32768" && IsWindowVisible(hwnd) &&
            pid == GetCurrentProcessId()) {
          *reinterpret_cast<HWND*>(lp) = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

void Key(WORD vk) {
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof in[0]);
}

// Reading a pixel of the window back waits until everything drawn before
// has reached the screen.
void WaitForScreen(HWND window) {
  GdiFlush();
  RECT r{};
  GetWindowRect(window, &r);
  HDC screen = GetDC(nullptr);
  GetPixel(screen, r.right - 4, r.bottom - 4);
  ReleaseDC(nullptr, screen);
}

double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples.empty() ? 0 : samples[samples.size() / 2];
}

class TBench {
 public:
  TBench() : env_(MakeSkinEngineEnvironment(nullptr, "Tonmill")), app_(nullptr) {
    app_.Initialize();
    store_ = &OwnedComponent<TSkinStore>(app_);
    store_->Store().Add().Data().LoadFromFile(BinDir() + "skins\\daylight.skn");
    TFormStyle style;
    style.caption = L"Menus";
    style.client_width = 400;
    style.client_height = 300;
    form_ = &OwnedComponent<TForm>(app_, style);
    menu_ = &OwnedComponent<TPopupMenu>(*form_);
    for (int i = 0; i < kItems; ++i) {
      TMenuItem& item = menu_->Items().Add(L"Item number " + std::to_wstring(i + 1));
      if (i % 7 == 3) item.SetShortCutText(L"Ctrl+" + std::to_wstring(i));
    }
    data_ = &OwnedComponent<TSkinData>(*form_, *env_);
    data_->BeginLoading();
    data_->Loaded();
    data_->LoadFromSkinStore(store_, 0);
    data_->SetActive(true);
    form_->Show();
    SetForegroundWindow(form_->Handle());
    Pump([&] {
      TWinSkinForm* e = SkinManager->FindSkinForm(form_->Handle());
      return e && e->Finished();
    });
  }

  void Pump(const std::function<bool()>& done) {
    const auto end = Clock::now() + std::chrono::seconds(5);
    while (!done() && Clock::now() < end) app_.WaitAndProcess(nullptr, 10);
    app_.ProcessMessages();
  }

  enum class TLook { Skinned, OwnerDrawn, System };

  // The menu as `look` shows it.
  void Show(TLook look) {
    if (look == TLook::Skinned) {
      if (data_->Active()) return;
      // As the skin found it at first: not owner-drawn.
      menu_->SetOwnerDraw(false);
      data_->SetActive(true);
      SkinManager->FlushCommand();
      Pump([&] {
        TWinSkinForm* e = SkinManager->FindSkinForm(form_->Handle());
        return e && e->Finished();
      });
      return;
    }
    if (data_->Active()) {
      data_->SetActive(false);
      SkinManager->FlushCommand();
      app_.ProcessMessages();
    }
    menu_->SetOwnerDraw(look == TLook::OwnerDrawn);
  }

  // Opens the menu `rounds` times; `script` runs on a thread of its own
  // once the menu window is visible and answers its milliseconds (the menu
  // is closed afterwards). The opening time is from Popup until the window
  // is visible and painted.
  void Rounds(int rounds, std::vector<double>& open_ms, std::vector<double>& script_ms,
              const std::function<double(HWND, HMENU)>& script) {
    RECT r{};
    GetWindowRect(form_->Handle(), &r);
    const HMENU menu = menu_->Handle();
    for (int i = 0; i < rounds; ++i) {
      std::atomic<Clock::time_point> started{Clock::now()};
      std::thread player([&] {
        HWND window = nullptr;
        while (!(window = VisibleMenuWindow())) std::this_thread::yield();
        WaitForScreen(window);
        open_ms.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - started.load()).count());
        if (script) script_ms.push_back(script(window, menu));
        while (VisibleMenuWindow()) {
          Key(VK_ESCAPE);
          std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
      });
      started = Clock::now();
      menu_->Popup(r.left + 40, r.top + 40);
      player.join();
      app_.ProcessMessages();
    }
  }

 private:
  std::unique_ptr<TSkinEnvironment> env_;
  TApplication app_;
  TSkinStore* store_ = nullptr;
  TForm* form_ = nullptr;
  TPopupMenu* menu_ = nullptr;
  TSkinData* data_ = nullptr;
};

// Moves the selection to the last item with the down key, one item at a
// time, until the system shows it selected.
double WalkDown(HWND window, HMENU menu) {
  const auto start = Clock::now();
  for (int i = 0; i < kItems; ++i) {
    Key(VK_DOWN);
    while (!(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE)) {
      std::this_thread::yield();
    }
  }
  WaitForScreen(window);
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main() {
  TBench bench;
  using TLook = TBench::TLook;
  constexpr TLook kLooks[] = {TLook::Skinned, TLook::OwnerDrawn, TLook::System};
  std::vector<double> open[3], walk[3], unused;
  for (int block = 0; block < 3; ++block) {
    for (int look = 0; look < 3; ++look) {
      bench.Show(kLooks[look]);
      // A first round after each change warms caches up and is not counted.
      bench.Rounds(1, unused, unused, nullptr);
      bench.Rounds(3, open[look], unused, nullptr);
      bench.Rounds(3, unused, walk[look], WalkDown);
    }
  }
  const auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
  const double open_s = Median(open[0]), open_o = Median(open[1]), open_u = Median(open[2]);
  const double walk_s = Median(walk[0]), walk_o = Median(walk[1]), walk_u = Median(walk[2]);
  std::printf(
      "popup of %d items opened until painted: skinned %.2f ms, owner-drawn plain %.2f ms,"
      " ratio %.2f (at most 2); drawn by the system %.2f ms\n",
      kItems, open_s, open_o, ratio(open_s, open_o), open_u);
  std::printf(
      "selection moved down %d items with the keyboard: skinned %.2f ms, owner-drawn plain"
      " %.2f ms, ratio %.2f (at most 2); drawn by the system %.2f ms\n",
      kItems, walk_s, walk_o, ratio(walk_s, walk_o), walk_u);
  return 0;
}
