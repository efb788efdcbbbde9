// Measures skinned track bars under Windows (or Wine) against a baseline
// measured in the same run: 500 moves of the thumbs of a row of track bars
// (lying and standing, every tick side), each move shown on the screen at
// once, with the skin on against the same bars with the skin switched off.
// The limit is twice the time.
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/TrackBar.h"
#include "skin/data/SkinManage.h"
#include "skin/data/StoredSkinResources.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinEngine.h"
#include "skin/form/WinSkinForm.h"
#include "skin/packages/WinSkinStore.h"

namespace {

using Clock = std::chrono::steady_clock;

void Pump(TApplication& app, int ms) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (Clock::now() < end) app.WaitAndProcess(nullptr, 10);
}

bool Skinned(HWND window) {
  TWinSkinForm* engine = SkinManager ? SkinManager->FindSkinForm(window) : nullptr;
  return engine && engine->Finished() && engine->SkinState() == ksActive;
}

void Switch(TApplication& app, TSkinData& data, HWND window, bool on) {
  data.SetActive(on);
  if (SkinManager) SkinManager->FlushCommand();
  for (int i = 0; i < 200 && Skinned(window) != on; ++i) Pump(app, 20);
  Pump(app, 300);
}

// Milliseconds for `moves` moves of every bar's thumb, each painted at once.
double MoveTime(const std::vector<TTrackBar*>& bars, int moves) {
  const auto start = Clock::now();
  for (int i = 0; i < moves; ++i) {
    for (TTrackBar* bar : bars) {
      bar->SetPosition(i % (bar->Max() + 1));
      UpdateWindow(bar->Handle());
    }
  }
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main() {
  HWND main_window = nullptr;
  const std::unique_ptr<TSkinEnvironment> skins =
      MakeSkinEngineEnvironment([&main_window] { return main_window; }, "Tonmill");
  TApplication app(nullptr);
  app.Initialize();
  TFormStyle style;
  style.caption = L"Track-bar benchmark";
  style.client_width = 520;
  style.client_height = 300;
  TForm& form = OwnedComponent<TForm>(app, style);
  main_window = form.Handle();
  auto& store = OwnedComponent<TSkinStore>(form);
  LoadStoredSkins(store);
  auto& data = OwnedComponent<TSkinData>(form, *skins);
  data.BeginLoading();
  data.Loaded();
  data.LoadFromSkinStore(&store, 1);

  std::vector<TTrackBar*> bars;
  const TTickMark marks[] = {tmBottomRight, tmTopLeft, tmBoth};
  for (int i = 0; i < 3; ++i) {
    TTrackBar& lying = OwnedComponent<TTrackBar>(form);
    lying.SetTickMarks(marks[i]);
    lying.SetMax(50);
    lying.SetBounds(10, 10 + i * 50, 300, 40);
    lying.SetParent(&form);
    bars.push_back(&lying);
    TTrackBar& standing = OwnedComponent<TTrackBar>(form);
    standing.SetOrientation(trVertical);
    standing.SetTickMarks(marks[i]);
    standing.SetMax(50);
    standing.SetBounds(330 + i * 60, 10, 40, 280);
    standing.SetParent(&form);
    bars.push_back(&standing);
  }
  data.SetActive(true);
  form.Show();
  for (int i = 0; i < 300 && !Skinned(form.Handle()); ++i) Pump(app, 20);
  Pump(app, 300);
  if (!Skinned(form.Handle())) {
    std::printf("track bars: the form was not skinned\n");
    return 1;
  }

  constexpr int kMoves = 500;
  constexpr int kRounds = 3;
  double skinned = 1e300, plain = 1e300;
  // The best of a few rounds each, taken in turns, so a busy moment of the
  // machine weighs on neither side alone.
  for (int round = 0; round < kRounds; ++round) {
    skinned = std::min(skinned, MoveTime(bars, kMoves));
    Switch(app, data, form.Handle(), false);
    plain = std::min(plain, MoveTime(bars, kMoves));
    Switch(app, data, form.Handle(), true);
  }
  const double ratio = skinned / plain;
  std::printf(
      "track bars: %d thumb moves of %zu bars: skinned %.1f ms, unskinned %.1f ms, "
      "ratio %.2f (limit 2.00) %s\n",
      kMoves, bars.size(), skinned, plain, ratio, ratio <= 2.0 ? "ok" : "SLOW");
  form.Close();
  Pump(app, 100);
  return 0;
}
