// The job list's context menu while the window is busy: a batch whose
// encoders hang until stopped, and an add whose probe takes its time. From
// inside the window's own waiting loop a timer sends a real right click on
// a row (a batch greys the list, so no menu opens; early in a probe it
// does) and opens the menu as the list opens it; the items' states are read
// from the menu that shows, an item is clicked, and the list read back.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/MainTexts.h"
#include "framework/Timer.h"
#include "skin/data/SkinManage.h"
#include "skin/form/SkinWindowMessages.h"
#include "tests/wine/app/JobListMenuSupport.h"
#include "tests/wine/app/StandInFixture.h"
#include "tests/wine/framework/MenuDriver.h"
#include "tests/wine/support/WineTestSupport.h"

namespace {

using namespace std::chrono_literals;
using input::TMenuDriver;

// Positions of the items in the menu.
constexpr int kUp = 0, kDown = 1, kDelete = 3, kClear = 4;

// An encoder that writes part of its file and then hangs until it is
// stopped.
std::string HangingSource(int seconds) {
  return "out:ID_LENGTH=" + std::to_string(seconds) + "\\n\n" + "enc:write:50\n" +
         "enc:sleep:60000\n";
}

// What a right click on the list brought up.
struct TMenuSeen {
  bool shown = false;
  // Up, down, delete, clear: whether each could be chosen.
  std::vector<bool> enabled;
  bool AnyEnabled() const {
    for (bool e : enabled)
      if (e) return true;
    return false;
  }
};

class JobListMenuBusyTest : public StandInTest {
 protected:
  JobListMenuBusyTest() { ShowSkinnedInFront(app, *skins, *form); }

  // The screen point in the middle of row `row`.
  POINT RowPoint(int row) { return JobRowPoint(*form, row); }

  // Starts a driver that notes the states of the menu that shows and then
  // clicks item `choose` (-1: none, Esc closes the menu).
  void StartDriver(int choose, TMenuSeen& seen) {
    clicked_at_ = std::chrono::steady_clock::now();
    driver_ = std::make_unique<TMenuDriver>([&seen, choose](HWND window) {
      input::Pause(150);
      // The items are set as the menu opens: the handle is the one showing.
      const auto menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
      std::vector<bool> enabled;
      for (int i : {kUp, kDown, kDelete, kClear}) {
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        enabled.push_back(state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED)));
      }
      seen.enabled = enabled;
      seen.shown = true;
      if (choose >= 0) {
        input::ClickItem(menu, choose);
      } else {
        input::Key(VK_ESCAPE);
      }
    });
  }
  // A real right click on row `row`, watched by a driver that chooses
  // `choose`. Returns at once: a menu opens when the window next takes its
  // input, inside whatever loop it is running.
  void StartRightClick(int row, int choose, TMenuSeen& seen) {
    const POINT p = RowPoint(row);
    StartDriver(choose, seen);
    input::Click(p.x, p.y, true);
  }
  // The menu opened at row `row` as the list opens it, however the list was
  // reached; returns when it has closed.
  void PopupAt(int row, int choose, TMenuSeen& seen) {
    const POINT p = RowPoint(row);
    StartDriver(choose, seen);
    form->JobListMenu->Menu().Popup(p.x, p.y);
  }
  // Whether the right click is over: its menu came and went, or none came
  // in the time a menu takes to show.
  bool RightClickOver(const TMenuSeen& seen) const {
    if (seen.shown) return !input::VisibleMenuWindow();
    return std::chrono::steady_clock::now() - clicked_at_ > 6s;
  }
  void EndRightClick() { driver_.reset(); }

  // A right click on row `row` of the idle window, closed with Esc.
  TMenuSeen IdleRightClick(int row) {
    TMenuSeen seen;
    StartRightClick(row, -1, seen);
    PumpUntil(
        app, [&] { return RightClickOver(seen); }, 10s);
    EndRightClick();
    return seen;
  }

  std::vector<std::wstring> Names() {
    std::vector<std::wstring> names;
    for (const auto& job : form->JobList) names.push_back(job->FileName);
    return names;
  }

  std::unique_ptr<TMenuDriver> driver_;
  std::chrono::steady_clock::time_point clicked_at_;
};

TEST_F(JobListMenuBusyTest, DuringABatchNoItemAppliesAndAClickOnOneChangesNothing) {
  AddFiles({Source(L"s0.wma", HangingSource(3)), Source(L"s1.wma", HangingSource(3)),
            Source(L"s2.wma", HangingSource(3))});
  ASSERT_EQ(form->JobList.size(), 3u);
  const std::vector<std::wstring> names = Names();

  // At rest, every item applies to the middle row.
  const TMenuSeen idle = IdleRightClick(1);
  ASSERT_TRUE(idle.shown) << "a right click on the list opens its menu";
  EXPECT_EQ(idle.enabled, (std::vector<bool>{true, true, true, true}));

  form->SetParallelJobs(1);
  const std::wstring out = root + L"out\\";
  chosen_folder = out;
  form->Button8->Click();
  answer = IDYES;  // "stop the batch?"
  // Inside the batch's loop, once the first encoder runs: the same right
  // click (the list is greyed while the batch runs, so it opens nothing);
  // then the menu itself, as any other way to it would open it, with a
  // click on "清空"; then Esc stops the batch.
  TMenuSeen clicked, opened;
  bool list_greyed = false;
  int step = 0;
  std::vector<std::wstring> names_after_click;
  auto& timer = OwnedComponent<TTimer>(app);
  timer.SetInterval(30);
  timer.OnTimer = [&](TObject*) {
    if (step == 0 && form->Busy() && FileExists(out + L"s0.mp3")) {
      step = 1;
      list_greyed = !IsWindowEnabled(form->lvwFiles->Handle());
      StartRightClick(1, kClear, clicked);
    } else if (step == 1 && RightClickOver(clicked)) {
      step = 2;  // the menu's own loop runs this timer too
      EndRightClick();
      PopupAt(1, kClear, opened);
      EndRightClick();
      names_after_click = Names();
      step = 3;
      SetFocus(form->Handle());
      PostMessageW(form->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    }
  };
  form->btnConvert->Click();
  timer.SetEnabled(false);
  EndRightClick();
  ASSERT_EQ(step, 3) << "the batch ended before the menu was tried";
  EXPECT_TRUE(list_greyed);
  EXPECT_FALSE(clicked.shown) << "a greyed list opens no menu";
  ASSERT_TRUE(opened.shown);
  EXPECT_EQ(opened.enabled, (std::vector<bool>{false, false, false, false}))
      << "up, down, delete, clear";
  EXPECT_EQ(names_after_click, names) << "a click on clear during the batch";
  EXPECT_EQ(Names(), names);
  EXPECT_EQ(form->lvwFiles->ItemCount(), 3);
  EXPECT_EQ(Row(0, 1), texts::kStopped);
  EXPECT_EQ(messages, (std::vector<std::wstring>{texts::kStopBatch}));

  // At rest again, the menu applies again.
  EXPECT_EQ(IdleRightClick(1).enabled, (std::vector<bool>{true, true, true, true}));
  SaveShot(form->Handle(), "job_list_menu_after_batch");
}

TEST_F(JobListMenuBusyTest, WhileAProbeReadsAFileNoItemAppliesAndAClickChangesNothing) {
  AddFiles({Source(L"a.wma", GoodSource(3)), Source(L"b.wma", GoodSource(3)),
            Source(L"c.wma", GoodSource(3))});
  ASSERT_EQ(form->JobList.size(), 3u);
  std::vector<std::wstring> names = Names();
  // A probe that takes its time before it answers: the list stays live for
  // the first second of the wait, and a right click opens the menu.
  const std::wstring slow = Source(L"slow.wma", "sleep:5000\n" + GoodSource(3));
  TMenuSeen clicked, opened;
  int step = 0;
  bool busy_throughout = true;
  std::vector<std::wstring> names_after_clicks;
  auto& timer = OwnedComponent<TTimer>(app);
  timer.SetInterval(30);
  timer.OnTimer = [&](TObject*) {
    if (step == 0 && form->Busy()) {
      step = 1;
      StartRightClick(0, kDown, clicked);
    } else if (step == 1 && RightClickOver(clicked)) {
      step = 2;
      EndRightClick();
      busy_throughout = form->Busy();
      PopupAt(1, kClear, opened);
      EndRightClick();
      names_after_clicks = Names();
      step = 3;
    }
  };
  AddFiles({slow});
  timer.SetEnabled(false);
  EndRightClick();
  ASSERT_EQ(step, 3) << "the add ended before the menu was tried";
  ASSERT_TRUE(busy_throughout) << "the probe answered before the menu was tried";
  // On a slow machine the list may be greyed before the click arrives:
  // then no menu, and nothing to choose.
  if (clicked.shown) {
    EXPECT_EQ(clicked.enabled, (std::vector<bool>{false, false, false, false}))
        << "up, down, delete, clear (right click)";
  }
  ASSERT_TRUE(opened.shown);
  EXPECT_EQ(opened.enabled, (std::vector<bool>{false, false, false, false}))
      << "up, down, delete, clear";
  EXPECT_EQ(names_after_clicks, names) << "clicks on down and clear while the probe reads";
  names.push_back(slow);
  EXPECT_EQ(Names(), names);
  EXPECT_EQ(form->lvwFiles->ItemCount(), 4);
}

}  // namespace
