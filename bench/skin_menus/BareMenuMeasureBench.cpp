// Measures under Windows (or Wine) how long the engine takes to measure
// the items of a bare window's drop-down (the system asks for every item's
// size each time the drop-down opens): with the menu fonts kept per DPI and
// one DC per opening, against the same items each measured on its own with
// a screen DC and a menu font of its own, in the same run. The two ways take
// turns in blocks, so that a change of the machine's load falls on each
// alike; the handles each way takes per opening are printed beside. The
// skin is read from the skins folder beside the program.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Dpi.h"
#include "framework/GdiObjects.h"
#include "framework/HandleCount.h"
#include "framework/Unicode.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinEngine.h"
#include "skin/menu/BareMenuMeasure.h"
#include "skin/menu/SkinMenuItemPainter.h"
#include "skin/packages/WinSkinStore.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kItems = 30;
constexpr int kOpenings = 20;

std::string BinDir() {
  wchar_t path[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  const std::wstring dir(path, n);
  return WideToUtf8(dir.substr(0, dir.find_last_of(L"\\/") + 1));
}

double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples.empty() ? 0 : samples[samples.size() / 2];
}

// A drop-down as a program's own menu holds it: plain items, some with
// short cuts, separators, and a default item drawn bold.
TOwnedMenu MakeDropDown() {
  TOwnedMenu menu(CreatePopupMenu());
  for (int i = 0; i < kItems; ++i) {
    std::wstring text = L"Item number " + std::to_wstring(i + 1);
    if (i % 7 == 3) text += L"\tCtrl+" + std::to_wstring(i % 10);
    AppendMenuW(menu.Get(), MF_STRING, 100 + i, text.c_str());
    if (i % 10 == 9) AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
  }
  SetMenuDefaultItem(menu.Get(), 100, FALSE);
  return menu;
}

// What one opening of the drop-down costs one way: milliseconds and the
// handles it took.
struct TCost {
  std::vector<double> ms;
  long dcs = 0;
  long objects = 0;
};

void Opening(const std::function<void()>& measure_all, TCost& cost) {
  const long dcs = TakenHandles(THandleKind::hkDeviceContext);
  const long objects = TakenHandles(THandleKind::hkGdiObject);
  const auto start = Clock::now();
  measure_all();
  cost.ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  cost.dcs = TakenHandles(THandleKind::hkDeviceContext) - dcs;
  cost.objects = TakenHandles(THandleKind::hkGdiObject) - objects;
}

}  // namespace

int main() {
  std::unique_ptr<TSkinEnvironment> env = MakeSkinEngineEnvironment(nullptr, "Tonmill");
  TApplication app(nullptr);
  app.Initialize();
  TSkinStore& store = OwnedComponent<TSkinStore>(app);
  store.Store().Add().Data().LoadFromFile(BinDir() + "skins\\daylight.skn");
  TSkinData& data = OwnedComponent<TSkinData>(app, *env);
  data.BeginLoading();
  data.Loaded();
  data.LoadFromSkinStore(&store, 0);

  const TOwnedMenu menu = MakeDropDown();
  std::vector<TSkinMenuItem> items;
  for (int i = 0; i < GetMenuItemCount(menu.Get()); ++i) {
    items.push_back(DescribeItem(menu.Get(), static_cast<UINT>(i)));
  }
  const int dpi = WindowDpi(nullptr);
  TBareMenuMeasure kept;
  int width = 0, height = 0;
  const auto each_alone = [&] {
    for (const TSkinMenuItem& item : items) {
      TSkinMenuItemPainter(data, dpi).Measure(item, width, height);
    }
  };
  const auto with_kept = [&] {
    for (const TSkinMenuItem& item : items) kept.Measure(data, dpi, item, width, height);
    kept.PopupDrawn();
  };

  // A first opening each way warms caches up (and makes the kept fonts)
  // and is not counted.
  TCost alone, shared, first;
  Opening(each_alone, first);
  Opening(with_kept, first);
  for (int block = 0; block < 5; ++block) {
    for (int i = 0; i < kOpenings; ++i) Opening(each_alone, alone);
    for (int i = 0; i < kOpenings; ++i) Opening(with_kept, shared);
  }
  const double a = Median(alone.ms), s = Median(shared.ms);
  std::printf(
      "measuring a bare window's drop-down of %zu items at %d DPI: fonts kept and one DC"
      " %.3f ms (%ld DCs, %ld fonts taken), each item alone %.3f ms (%ld DCs, %ld fonts"
      " taken), ratio %.2f (below 1 is faster)\n",
      items.size(), dpi, s, shared.dcs, shared.objects, a, alone.dcs, alone.objects,
      a > 0 ? s / a : 0.0);
  return 0;
}
