// Skin switches that fall inside a modal loop, and failures inside window
// procedures. A skin command comes from a timer, which every modal loop
// dispatches: switching the skin off while a skinned scroll arrow is held
// down or the skinned system menu is open must wait until the loop is over,
// or the objects running the loop are freed under it. An exception never
// crosses a window procedure: the skin engine swallows its own, the
// program's handlers are reported.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Buttons.h"
#include "framework/ComCtrls.h"
#include "framework/Memo.h"
#include "framework/Menus.h"
#include "framework/ScrollBar.h"
#include "framework/StdCtrls.h"
#include "framework/Timer.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/form/WinSkinForm.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/support/InputScript.h"

namespace {

// What a timer saw inside the loop, once the skin command's time had come.
struct TLoopWatch {
  bool checked = false;
  bool in_loop = false;       // the loop was still running
  bool engine_kept = false;   // the form still had its engine
  bool overlay_kept = false;  // the overlay window still existed
};

HWND VisibleMenuWindow() {
  HWND menu = FindWindowW(L"#32768", nullptr);
  return menu && IsWindowVisible(menu) ? menu : nullptr;
}

class ModalLoopTest : public SkinControlsTest {
 protected:
  // Gives the manager a skin command by `command` (switching the data off,
  // or loading another stored skin into it) and within its delay starts
  // `loop` (a script thread's real input); a timer looks at the form 700 ms
  // later, while the loop still runs. Returns once the command has run.
  TLoopWatch SwitchDuring(TForm& form, HWND overlay, const std::function<void()>& command,
                          const std::function<bool()>& in_loop, const std::function<void()>& loop) {
    TLoopWatch watch;
    std::unique_ptr<TTimer> timer = MakeComponent<TTimer>();
    timer->SetEnabled(false);
    timer->SetInterval(700);
    const HWND window = form.Handle();
    timer->OnTimer = [&](TObject*) {
      timer->SetEnabled(false);
      watch.checked = true;
      watch.in_loop = in_loop();
      watch.engine_kept = Manager().FindSkinForm(window) != nullptr;
      watch.overlay_kept = !overlay || IsWindow(overlay);
    };
    command();  // the command waits 250 ms
    EXPECT_TRUE(Manager().TimerRunning());
    timer->SetEnabled(true);
    {
      input::TScriptThread script(loop);
      PumpUntil([&] { return watch.checked; }, 4000);
      Pump(1200);
    }
    // Once the loop is over the command runs.
    EXPECT_TRUE(PumpUntil([&] { return !Manager().TimerRunning(); }, 3000));
    EXPECT_EQ(Manager().CommandHolds(), 0);
    return watch;
  }
  TLoopWatch SwitchOffDuring(TForm& form, TSkinData& data, HWND overlay,
                             const std::function<bool()>& in_loop,
                             const std::function<void()>& loop) {
    const TLoopWatch watch = SwitchDuring(
        form, overlay, [&data] { data.SetActive(false); }, in_loop, loop);
    EXPECT_EQ(Manager().FindSkinForm(form.Handle()), nullptr);
    return watch;
  }
};

// How the skin is switched from inside a loop: off, or to another stored
// skin while it stays on.
enum class TSwitch { kOff, kOther };

class ModalLoopSwitchTest : public ModalLoopTest, public ::testing::WithParamInterface<TSwitch> {
 protected:
  TLoopWatch Switch(TForm& form, HWND overlay, const std::function<bool()>& in_loop,
                    const std::function<void()>& loop) {
    TSkinData& data = DataOf(form);
    const auto command = [this, &data] {
      if (GetParam() == TSwitch::kOff) {
        data.SetActive(false);
      } else {
        data.LoadFromSkinStore(&Store(), 3);
      }
    };
    const TLoopWatch watch = SwitchDuring(form, overlay, command, in_loop, loop);
    // Off: the engine is gone; another skin: the window is skinned by it.
    const TWinSkinForm* engine = EngineOf(form.Handle());
    if (GetParam() == TSwitch::kOff) {
      EXPECT_EQ(engine, nullptr);
    } else {
      EXPECT_TRUE(engine && engine->SkinState() == ksActive);
    }
    return watch;
  }
  // The window still answers and is drawn: it repaints without failing.
  static void ExpectUsable(HWND window) {
    EXPECT_TRUE(IsWindow(window));
    EXPECT_NE(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), 0);
    EXPECT_TRUE(RedrawWindow(window, nullptr, nullptr,
                             RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW));
  }
};

TListView& AddRows(TForm& form, int rows) {
  TListView& list = OwnedComponent<TListView>(form);
  list.AddColumn(L"Row", 300);
  list.SetBounds(20, 20, 400, 300);
  list.SetParent(&form);
  list.OnData = [](TObject*, TListItem& item) {
    item.Caption = L"Row " + std::to_wstring(item.Index);
  };
  list.SetItemCount(rows);
  return list;
}

TEST_F(ModalLoopTest, ASkinSwitchWaitsWhileASkinnedWindowScrollBarIsHeld) {
  TListView* list = nullptr;
  TForm& form = ShowSkinned(1, [&](TForm& f) { list = &AddRows(f, 500); });
  auto* object = dynamic_cast<TSkinListView*>(ObjectOf(form, *list));
  ASSERT_NE(object, nullptr);
  TWScrollbar* bar = object->VertBar();
  ASSERT_TRUE(bar && bar->Shown());
  const HWND overlay = bar->Handle();
  const RECT r = WindowRect(overlay);
  const POINT arrow{(r.left + r.right) / 2, r.bottom - bar->ArrowSize() / 2};
  MoveTo(arrow);
  TSkinData& data = DataOf(form);
  const TLoopWatch watch = SwitchOffDuring(
      form, data, overlay, [] { return GetCapture() != nullptr; },
      [arrow] {
        input::Press(arrow.x, arrow.y);
        input::Pause(1400);
        input::Release(arrow.x, arrow.y);
      });
  EXPECT_TRUE(watch.checked);
  EXPECT_TRUE(watch.in_loop);
  EXPECT_TRUE(watch.engine_kept);
  EXPECT_TRUE(watch.overlay_kept);
  // The held arrow scrolled; the skin is off and the overlay gone.
  EXPECT_GT(SendMessageW(list->Handle(), LVM_GETTOPINDEX, 0, 0), 0);
  EXPECT_FALSE(IsWindow(overlay));
  // The window goes on: skinned again, and scrolled by a click.
  SwitchSkin(form, data, true);
  EXPECT_NE(EngineOf(form.Handle()), nullptr);
}

TEST_F(ModalLoopTest, ASkinSwitchWaitsWhileASkinnedScrollBarControlIsHeld) {
  TScrollBar* bar_control = nullptr;
  TForm& form = ShowSkinned(4, [&](TForm& f) {
    bar_control = &OwnedComponent<TScrollBar>(f);
    bar_control->SetBounds(20, 20, 300, 17);
    bar_control->SetParams(0, 0, 100);
    bar_control->SetParent(&f);
  });
  auto* object = dynamic_cast<TSkinScControl*>(ObjectOf(form, *bar_control));
  ASSERT_NE(object, nullptr);
  TWScrollbar* bar = object->Bar();
  const HWND overlay = bar->Handle();
  const RECT r = WindowRect(overlay);
  const POINT arrow{r.right - bar->ArrowSize() / 2, (r.top + r.bottom) / 2};
  MoveTo(arrow);
  TSkinData& data = DataOf(form);
  const TLoopWatch watch = SwitchOffDuring(
      form, data, overlay, [] { return GetCapture() != nullptr; },
      [arrow] {
        input::Press(arrow.x, arrow.y);
        input::Pause(1400);
        input::Release(arrow.x, arrow.y);
      });
  EXPECT_TRUE(watch.checked);
  EXPECT_TRUE(watch.in_loop);
  EXPECT_TRUE(watch.engine_kept);
  EXPECT_TRUE(watch.overlay_kept);
  EXPECT_GT(bar_control->Position(), 0);
  EXPECT_FALSE(IsWindow(overlay));
}

TEST_F(ModalLoopTest, ASkinSwitchWaitsWhileTheSkinnedSystemMenuIsOpen) {
  TForm& form = ShowSkinned(0, [](TForm&) {});
  const HWND window = form.Handle();
  TWinSkinForm& engine = *EngineOf(window);
  const RECT r = WindowRect(window);
  const POINT caption{r.left + 150, r.top + engine.Metrics().caption / 2};
  MoveTo(caption);
  TSkinData& data = DataOf(form);
  const TLoopWatch watch = SwitchOffDuring(
      form, data, nullptr, [] { return VisibleMenuWindow() != nullptr; },
      [caption] {
        input::Click(caption.x, caption.y, true);
        input::Pause(1400);
        input::Key(VK_ESCAPE);
      });
  EXPECT_TRUE(watch.checked);
  EXPECT_TRUE(watch.in_loop);
  EXPECT_TRUE(watch.engine_kept);
  // The window has its own frame back and still answers.
  EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION, WS_CAPTION);
  EXPECT_FALSE(VisibleMenuWindow());
  EXPECT_NE(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), 0);
}

// --- the other modal loops, switched off and to another skin ---------------

TEST_P(ModalLoopSwitchTest, AMenuButtonsDropDownMenuHeldOpen) {
  TMenuButton* button = nullptr;
  std::unique_ptr<TPopupMenu> menu = MakeComponent<TPopupMenu>();
  int chosen = 0;
  TMenuItem& item = menu->Items().Add(L"First");
  item.OnClick = [&](TObject*) { ++chosen; };
  menu->Items().Add(L"Second");
  TForm& form = ShowSkinned(1, [&](TForm& f) {
    button = &Add<TMenuButton>(f, f, 40, 40, 140, 30, L"Drops");
    button->DropdownMenu = menu.get();
  });
  ASSERT_NE(dynamic_cast<TSkinMenuButton*>(ObjectOf(form, *button)), nullptr);
  const POINT centre = Centre(WindowRect(button->Handle()));
  MoveTo(centre);
  const TLoopWatch watch = Switch(
      form, nullptr, [] { return VisibleMenuWindow() != nullptr; },
      [centre] {
        input::Click(centre.x, centre.y);
        input::Pause(1400);
        input::Key(VK_ESCAPE);
      });
  EXPECT_TRUE(watch.checked);
  EXPECT_TRUE(watch.in_loop);
  EXPECT_TRUE(watch.engine_kept);
  EXPECT_FALSE(VisibleMenuWindow());
  // The button drops its menu again and the chosen item runs.
  ExpectUsable(form.Handle());
  {
    input::TScriptThread script([centre] {
      input::Click(centre.x, centre.y);
      input::Pause(500);
      input::Key(VK_DOWN);
      input::Key(VK_RETURN);
    });
    PumpUntil([&] { return chosen > 0; }, 4000);
  }
  EXPECT_EQ(chosen, 1);
}

TEST_P(ModalLoopSwitchTest, AWindowMovedByItsSkinnedCaption) {
  TForm& form = ShowSkinned(0, [](TForm&) {});
  const HWND window = form.Handle();
  TWinSkinForm& engine = *EngineOf(window);
  const RECT before = WindowRect(window);
  const POINT caption{before.left + 150, before.top + engine.Metrics().caption / 2};
  MoveTo(caption);
  const TLoopWatch watch = Switch(
      form, nullptr, [window] { return GetCapture() == window; },
      [caption] {
        input::Press(caption.x, caption.y);
        for (int step = 1; step <= 8; ++step) {
          input::Pause(60);
          input::MoveTo(caption.x + 5 * step, caption.y + 5 * step);
        }
        input::Pause(1200);
        input::Release(caption.x + 40, caption.y + 40);
      });
  EXPECT_TRUE(watch.checked);
  EXPECT_TRUE(watch.in_loop);
  EXPECT_TRUE(watch.engine_kept);
  // The window went where it was dragged and goes on.
  const RECT after = WindowRect(window);
  EXPECT_NEAR(after.left - before.left, 40, 6);
  EXPECT_NEAR(after.top - before.top, 40, 6);
  EXPECT_EQ(GetCapture(), nullptr);
  ExpectUsable(window);
}

TEST_P(ModalLoopSwitchTest, AMessageBoxOpenOverASkinnedWindow) {
  TButton* button = nullptr;
  int answered = 0;
  TForm& form =
      ShowSkinned(2, [&](TForm& f) { button = &Add<TButton>(f, f, 40, 40, 120, 30, L"Asks"); });
  const HWND window = form.Handle();
  // The box runs its loop under the skinned button's click.
  button->OnClick = [&](TObject*) {
    if (MessageBoxW(window, L"Switched under a box", L"Loop box", MB_OK) == IDOK) ++answered;
  };
  const POINT centre = Centre(WindowRect(button->Handle()));
  MoveTo(centre);
  const auto box_open = [] {
    HWND box = FindWindowW(nullptr, L"Loop box");
    return box && IsWindowVisible(box);
  };
  const TLoopWatch watch = Switch(form, nullptr, box_open, [centre] {
    input::Click(centre.x, centre.y);
    input::Pause(1400);
    input::Key(VK_RETURN);
  });
  EXPECT_TRUE(watch.checked);
  EXPECT_TRUE(watch.in_loop);
  EXPECT_TRUE(watch.engine_kept);
  EXPECT_TRUE(PumpUntil([&] { return answered == 1; }, 3000));
  EXPECT_FALSE(box_open());
  ExpectUsable(window);
  // The button still clicks (the box comes up and is closed again).
  {
    input::TScriptThread script([centre] {
      input::Click(centre.x, centre.y);
      input::Pause(600);
      input::Key(VK_RETURN);
    });
    PumpUntil([&] { return answered == 2; }, 4000);
  }
  EXPECT_EQ(answered, 2);
}

TEST_P(ModalLoopSwitchTest, AMemosThumbDragged) {
  TMemo* memo = nullptr;
  TForm& form = ShowSkinned(4, [&](TForm& f) {
    memo = &OwnedComponent<TMemo>(f);
    memo->SetBounds(20, 20, 300, 200);
    memo->SetParent(&f);
    std::vector<std::wstring> lines;
    for (int i = 0; i < 300; ++i) lines.push_back(L"Line " + std::to_wstring(i));
    memo->SetLines(lines);
  });
  TSkinControl* object = ObjectOf(form, *memo);
  TWScrollbar* bar = nullptr;
  if (auto* plain = dynamic_cast<TSkinScrollbar*>(object)) bar = plain->VertBar();
  if (auto* other = dynamic_cast<TSkinScrollbarH*>(object)) bar = other->VertBar();
  ASSERT_TRUE(bar && bar->Shown());
  const HWND overlay = bar->Handle();
  const RECT r = WindowRect(overlay);
  const TThumbExtent thumb = bar->Thumb();
  const POINT grip{(r.left + r.right) / 2, r.top + (thumb.start + thumb.end) / 2};
  MoveTo(grip);
  const TLoopWatch watch = Switch(
      form, overlay, [] { return GetCapture() != nullptr; },
      [grip] {
        input::Press(grip.x, grip.y);
        for (int step = 1; step <= 6; ++step) {
          input::Pause(60);
          input::MoveTo(grip.x, grip.y + 10 * step);
        }
        input::Pause(1200);
        input::Release(grip.x, grip.y + 60);
      });
  EXPECT_TRUE(watch.checked);
  EXPECT_TRUE(watch.in_loop);
  EXPECT_TRUE(watch.engine_kept);
  EXPECT_TRUE(watch.overlay_kept);
  // The drag scrolled the memo, and it goes on.
  EXPECT_GT(memo->TopLine(), 0);
  EXPECT_EQ(GetCapture(), nullptr);
  ExpectUsable(form.Handle());
}

INSTANTIATE_TEST_SUITE_P(OffAndOther, ModalLoopSwitchTest,
                         ::testing::Values(TSwitch::kOff, TSwitch::kOther), [](const auto& info) {
                           return info.param == TSwitch::kOff ? std::string("Off")
                                                              : std::string("OtherSkin");
                         });

// --- failures inside window procedures -------------------------------------

class CallbackFailureTest : public SkinControlsTest {
 protected:
  CallbackFailureTest() {
    App().OnException = [this](const std::string& message) { reported.push_back(message); };
  }
  ~CallbackFailureTest() override { App().OnException = nullptr; }
  std::vector<std::string> reported;
};

TEST_F(CallbackFailureTest, TheProgramsOwnHandlersAreReportedAndTheWindowGoesOn) {
  TButton* button = nullptr;
  int clicks = 0;
  TForm& form =
      ShowSkinned(2, [&](TForm& f) { button = &Add<TButton>(f, f, 40, 40, 120, 30, L"Fails"); });
  button->OnClick = [&](TObject*) {
    ++clicks;
    throw std::runtime_error("the click failed");
  };
  const RECT b = WindowRect(button->Handle());
  Click(Centre(b));
  EXPECT_TRUE(PumpUntil([&] { return !reported.empty(); }, 3000));
  Click(Centre(b));
  EXPECT_TRUE(PumpUntil([&] { return reported.size() >= 2; }, 3000));
  EXPECT_EQ(clicks, 2);
  ASSERT_FALSE(reported.empty());
  EXPECT_EQ(reported.front(), "the click failed");
  // A timer whose handler fails is reported and keeps running.
  std::unique_ptr<TTimer> timer = MakeComponent<TTimer>();
  int ticks = 0;
  timer->SetInterval(50);
  timer->OnTimer = [&](TObject*) {
    ++ticks;
    throw std::runtime_error("the tick failed");
  };
  timer->SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }, 3000));
  timer->SetEnabled(false);
  EXPECT_EQ(reported.back(), "the tick failed");
  EXPECT_NE(EngineOf(form.Handle()), nullptr);
}

TEST_F(CallbackFailureTest, AFailureUnderTheSkinEngineIsSwallowedAndTheWindowStaysUsable) {
  TForm& form = MakeForm(MainLikeStyle());
  TSkinData& data = MakeData(form, 2);
  int after = 0;
  // Runs inside the engine's finishing message, under its window procedure.
  data.OnAfterSkinForm = [&](TObject*, TWindowHandle, const std::string&) {
    ++after;
    throw std::runtime_error("after skinning");
  };
  data.SetActive(true);
  form.Show();
  SetForegroundWindow(form.Handle());
  EXPECT_TRUE(PumpUntil([&] { return after > 0; }, 15000));
  Pump(300);
  TWinSkinForm* engine = EngineOf(form.Handle());
  ASSERT_NE(engine, nullptr);
  EXPECT_TRUE(engine->Finished());
  EXPECT_TRUE(reported.empty());
  // The window still answers its messages and can be closed.
  EXPECT_NE(SendMessageW(form.Handle(), WM_GETTEXTLENGTH, 0, 0), 0);
  PostMessageW(form.Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(form.Handle()); }, 3000));
}

}  // namespace
