// The skin manager and the system's high-contrast mode: while the mode is on
// the skin stands aside (a person who asked for high contrast gets the
// system's colours in every window), and it comes back when the mode goes
// off, without a restart.
#include <algorithm>
#include <utility>
#include <vector>

#include "framework/Form.h"
#include "framework/Screen.h"
#include "skin/data/SkinManage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/WinSkinForm.h"

namespace {

// The switch waits for the message that told of it to return, and for any
// modal loop whose objects it would free (see TSkinCommandHold).
constexpr unsigned kContrastSwitchDelayMs = 50;

}  // namespace

void TSkinManage::MakeSettingsWindow() {
  high_contrast_query_ = &TSkinSystem::HighContrastOn;
  high_contrast_ = AskHighContrast();
  contrast_timer_ = MakeComponent<TTimer>();
  contrast_timer_->SetEnabled(false);
  contrast_timer_->SetInterval(kContrastSwitchDelayMs);
  contrast_timer_->OnTimer = [this](TObject*) { OnContrastTimer(); };
  // Setting changes are sent to top-level windows only: a message-only
  // window would never hear them, so the window is a hidden top-level one
  // (of no size, so the manager never takes it for a window to skin).
  try {
    settings_window_ = std::make_unique<TMessageWindow>(
        [this](UINT msg, WPARAM, LPARAM, LRESULT&) {
          if (msg == WM_SETTINGCHANGE || msg == WM_SYSCOLORCHANGE) {
            try {
              CheckHighContrast();
            } catch (...) {
              // Swallowed: the engine never reports.
            }
          }
          return false;
        },
        TMessageWindowKind::HiddenTopLevel);
  } catch (...) {
    // Without the window the mode is still asked at start; switching it
    // later takes a restart.
    settings_window_.reset();
  }
}

bool TSkinManage::AskHighContrast() const {
  if (!high_contrast_query_) return false;
  try {
    return high_contrast_query_();
  } catch (...) {
    return false;
  }
}

void TSkinManage::SetHighContrastQuery(THighContrastQuery query) {
  high_contrast_query_ = std::move(query);
  CheckHighContrast();
}

void TSkinManage::CheckHighContrast() {
  if (!contrast_timer_) return;
  // The answer is taken again when the switch runs; a mode switched on and
  // off again before the tick changes nothing.
  if (AskHighContrast() != high_contrast_) contrast_timer_->SetEnabled(true);
}

void TSkinManage::OnContrastTimer() {
  try {
    // A modal loop whose objects the switch would free runs: the tick comes
    // back until it has ended.
    if (holds_ > 0) return;
    contrast_timer_->SetEnabled(false);
    const bool on = AskHighContrast();
    if (on == high_contrast_) return;
    ApplyHighContrast(on);
    // Whatever paints from the skin by itself (the program's own panels)
    // hears that the skin went or came back.
    const std::vector<TSkinData*> datas = skin_datas_;
    for (TSkinData* data : datas) {
      if (std::find(skin_datas_.begin(), skin_datas_.end(), data) != skin_datas_.end()) {
        data->DoSkinChanged();
      }
    }
  } catch (...) {
    // Swallowed: the windows stay as far as the switch got.
  }
}

void TSkinManage::ApplyHighContrast(bool on) {
  high_contrast_ = on;
  if (on) {
    // Every window gets its own look back; the skin data stay active, so
    // that the skin returns with the mode's end.
    Purge();
    while (!skin_forms_.empty()) DetachAndFree(skin_forms_.front());
    return;
  }
  // Only what the manager had started skins again: before the first
  // activation the hook skins the main window as usual.
  if (!skinning_on_ || start_counter_ == 0) return;
  enumerating_ = true;
  try {
    Purge();
    TScreen& screen = Screen();
    for (int i = screen.FormCount() - 1; i >= 0; --i) SkinForm(screen.Forms(i));
    // Dialog boxes of the thread (a message box showing now) are no forms:
    // they would be skinned at their next activation, and are now.
    std::vector<HWND> dialogs;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM list) -> BOOL {
          if (IsWindowVisible(window) && WindowClassName(window) == "#32770") {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&dialogs));
    for (HWND dialog : dialogs) SkinWindow(dialog);
  } catch (...) {
    enumerating_ = false;
    throw;
  }
  enumerating_ = false;
}
