#pragma once
// What the job list's context-menu tests share: the main window brought to
// the front and skinned before a test clicks in it, and where a row of the
// job list is on the screen.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>

#include "app/Main.h"
#include "skin/data/SkinManage.h"
#include "skin/form/SkinWindowMessages.h"
#include "tests/wine/support/WineTestSupport.h"

// Brings the window to the front and waits until its skin is on it (the
// manager's delayed command carried out at once).
inline void ShowSkinnedInFront(TApplication& app, TSkinEnvironment& skins, TFrmMain& form) {
  using namespace std::chrono_literals;
  SetForegroundWindow(form.Handle());
  auto* manager = dynamic_cast<TSkinManage*>(skins.Manager());
  PumpUntil(
      app,
      [&] {
        if (manager) manager->FlushCommand();
        return SendMessageW(form.Handle(), SKM_ISSKINNED, 0, 0) == 1;
      },
      15s);
}

// The screen point in the middle of row `row` of the job list (40 pixels
// in from its left), or below the rows for -1; a row without a rectangle
// fails the test.
inline POINT JobRowPoint(TFrmMain& form, int row) {
  const HWND list = form.lvwFiles->Handle();
  RECT r{};
  r.left = LVIR_BOUNDS;
  POINT p{40, 60};
  if (row >= 0 &&
      SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r))) {
    p = POINT{r.left + 40, (r.top + r.bottom) / 2};
  } else if (row >= 0) {
    ADD_FAILURE() << "row " << row << " has no rectangle";
  }
  ClientToScreen(list, &p);
  return p;
}
