#include "doscommand/ProcessTimer.h"

TProcessTimer::TProcessTimer(TComponent* owner) : TTimer(owner) { SetEnabled(false); }

void TProcessTimer::Start() {
  SetInterval(1000);
  since_beginning_.store(0);
  since_last_output_.store(0);
  counting_.store(true);
  SetEnabled(false);  // restart the interval from now
  SetEnabled(true);
}

void TProcessTimer::Timer() {
  if (!counting_.load()) {
    SetEnabled(false);
    return;
  }
  since_beginning_.fetch_add(1);
  since_last_output_.fetch_add(1);
}
