#pragma once
// TTimer: a window-message timer. Its ticks arrive through the message loop
// of the thread that created it, so OnTimer runs on that thread and only
// while it processes messages.
#include <windows.h>

#include <memory>

#include "framework/Component.h"
#include "framework/MessageWindow.h"
#include "framework/Object.h"

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  TNotifyEvent OnTimer;

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  // Raises OnTimer; derived timers add their own work.
  virtual void Timer();

 private:
  void UpdateTimer();
  unsigned interval_ = 1000;
  bool enabled_ = true;
  std::unique_ptr<TMessageWindow> window_;
};
