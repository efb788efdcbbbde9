#pragma once
// Moving the mouse for tests on the virtual display, which may hand back an
// earlier position once more after a jump: the mouse counts as there when
// it stays there while messages are processed.
#include <windows.h>

#include <chrono>

#include "framework/Application.h"
#include "tests/wine/support/InputScript.h"
#include "tests/wine/support/WineTestSupport.h"

inline void MoveAndSettle(TApplication& app, POINT p) {
  using namespace std::chrono_literals;
  auto at = [&] {
    POINT now{};
    GetCursorPos(&now);
    return now.x == p.x && now.y == p.y;
  };
  for (int attempt = 0; attempt < 10; ++attempt) {
    input::MoveTo(p.x, p.y);
    PumpUntil(
        app, [] { return false; }, 60ms);
    if (!at()) continue;
    PumpUntil(
        app, [] { return false; }, 40ms);
    if (at()) return;
  }
}
