#pragma once
// What the form engine's benchmarks share: the skins beside the program,
// timing by the median of rounds, waiting until the screen shows what was
// drawn, and forms skinned by one of the stored skins.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Unicode.h"
#include "skin/data/SkinManage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinEngine.h"
#include "skin/form/WinSkinForm.h"
#include "skin/packages/WinSkinStore.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline const char* const kSkins[] = {"meadow", "nightfall", "daylight", "contrast", "ember"};

// The folder of the running program, with its trailing separator.
inline std::string BinDir() {
  wchar_t path[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  const std::wstring dir(path, n);
  return WideToUtf8(dir.substr(0, dir.find_last_of(L"\\/") + 1));
}

// Milliseconds per run of `work`, the median of `rounds` rounds of `runs`.
inline double MsPer(int rounds, int runs, const std::function<void()>& work) {
  std::vector<double> samples;
  for (int r = 0; r < rounds; ++r) {
    const auto start = Clock::now();
    for (int i = 0; i < runs; ++i) work();
    samples.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count() /
                      runs);
  }
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

// A pixel read from the screen waits until everything drawn before is there.
inline void WaitForScreen(HWND window) {
  GdiFlush();
  RECT r{};
  GetWindowRect(window, &r);
  HDC screen = GetDC(nullptr);
  GetPixel(screen, r.left + 2, r.top + 2);
  ReleaseDC(nullptr, screen);
}

// The application with the five skins in a store; forms made here are
// skinned by one of them and shown.
class TFormBench {
 public:
  TFormBench() : env_(MakeSkinEngineEnvironment(nullptr, "Tonmill")), app_(nullptr) {
    app_.Initialize();
    store_ = &OwnedComponent<TSkinStore>(app_);
    for (const char* name : kSkins) {
      store_->Store().Add().Data().LoadFromFile(BinDir() + "skins\\" + name + ".skn");
    }
  }

  TForm& Form(const TFormStyle& style, int skin) {
    TForm& form = OwnedComponent<TForm>(app_, style);
    data_ = &OwnedComponent<TSkinData>(form, *env_);
    data_->BeginLoading();
    data_->Loaded();
    data_->LoadFromSkinStore(store_, skin);
    data_->SetActive(true);
    form.Show();
    SetForegroundWindow(form.Handle());
    WaitUntilSkinned(form.Handle());
    return form;
  }

  // Until the window's engine has finished skinning it (5 s at most).
  void WaitUntilSkinned(HWND window) {
    Pump([&] {
      TWinSkinForm* e = SkinManager->FindSkinForm(window);
      return e && e->Finished();
    });
  }

  void Pump(const std::function<bool()>& done) {
    const auto end = Clock::now() + std::chrono::seconds(5);
    while (!done() && Clock::now() < end) app_.WaitAndProcess(nullptr, 10);
    app_.ProcessMessages();
  }
  // Carries out a skin command at once rather than after its delay.
  void Flush() {
    SkinManager->FlushCommand();
    app_.ProcessMessages();
  }

  TSkinData& Data() { return *data_; }
  TSkinEnvironment& Environment() { return *env_; }
  TSkinStore& Store() { return *store_; }
  TApplication& App() { return app_; }

 private:
  // The skin environment outlives the application and its windows.
  std::unique_ptr<TSkinEnvironment> env_;
  TApplication app_;
  TSkinStore* store_ = nullptr;
  TSkinData* data_ = nullptr;
};

// A form of the main window's size and caption.
inline TFormStyle MainLike() {
  TFormStyle style;
  style.caption = L"Tonmill v2.2 - 联系: tonmill.example.org";
  style.client_width = 533;
  style.client_height = 456;
  return style;
}

}  // namespace bench
