#include "framework/Timer.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  window_ = std::make_unique<TMessageWindow>([this](UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg != WM_TIMER || wp != kTimerId) return false;
    Timer();
    result = 0;
    return true;
  });
  UpdateTimer();
}

TTimer::~TTimer() {
  if (window_) KillTimer(window_->Handle(), kTimerId);
}

void TTimer::SetInterval(unsigned ms) {
  if (ms == interval_) return;
  interval_ = ms;
  UpdateTimer();
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  KillTimer(window_->Handle(), kTimerId);
  if (enabled_ && interval_ != 0) SetTimer(window_->Handle(), kTimerId, interval_, nullptr);
}

void TTimer::Timer() {
  if (OnTimer) OnTimer(this);
}

void TTimer::DescribeProperties(TPropertyTable& table) {
  TComponent::DescribeProperties(table);
  table.Int("Interval", [this] { return static_cast<std::int64_t>(interval_); },
            [this](std::int64_t v) { SetInterval(static_cast<unsigned>(v)); });
  table.Enum("Enabled", {"False", "True"}, [this] { return enabled_ ? 1 : 0; },
             [this](std::int64_t v) { SetEnabled(v != 0); });
}
