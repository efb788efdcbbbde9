// The framework's application object, timers and thread hand-off on a real
// Windows message loop.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Timer.h"
#include "framework/Win32Handles.h"
#include "framework/WndMethodLayer.h"
#include "tests/wine/support/WineTestSupport.h"

namespace {

using namespace std::chrono_literals;

TEST(Timer, TicksOnTheCreatingThreadOnlyWhileEnabled) {
  TApplication app(nullptr);
  auto& timer = OwnedComponent<TTimer>(app);
  int ticks = 0;
  bool on_main = true;
  timer.OnTimer = [&](TObject* sender) {
    EXPECT_EQ(sender, &timer);
    on_main = on_main && GetCurrentThreadId() == app.MainThreadId();
    ++ticks;
  };
  timer.SetInterval(30);
  ASSERT_TRUE(PumpUntil(
      app, [&] { return ticks >= 3; }, 5s));
  EXPECT_TRUE(on_main);
  timer.SetEnabled(false);
  app.ProcessMessages();
  const int stopped_at = ticks;
  PumpUntil(
      app, [] { return false; }, 200ms);
  EXPECT_EQ(ticks, stopped_at);
  EXPECT_EQ(GetIntProp(timer, "Interval"), 30);
  EXPECT_EQ(GetEnumPropName(timer, "Enabled"), "False");
}

TEST(Application, QueuedWorkRunsOnTheUiThreadInOrder) {
  TApplication app(nullptr);
  std::vector<int> order;
  std::atomic<bool> all_on_main{true};
  std::thread worker([&] {
    for (int i = 0; i < 100; ++i) {
      app.Queue([&, i] {
        if (GetCurrentThreadId() != app.MainThreadId()) all_on_main = false;
        order.push_back(i);
      });
    }
  });
  worker.join();
  ASSERT_TRUE(PumpUntil(
      app, [&] { return order.size() == 100; }, 5s));
  EXPECT_TRUE(all_on_main.load());
  for (int i = 0; i < 100; ++i) EXPECT_EQ(order[static_cast<size_t>(i)], i);
}

TEST(Application, RemoveQueuedEventsDropsOnlyThatOwnersWork) {
  TApplication app(nullptr);
  int a = 0, b = 0;
  const int owner_a = 0, owner_b = 0;
  app.Queue([&] { ++a; }, &owner_a);
  app.Queue([&] { ++b; }, &owner_b);
  app.Queue([&] { ++a; }, &owner_a);
  app.RemoveQueuedEvents(&owner_a);
  PumpUntil(
      app, [&] { return b == 1; }, 2s);
  app.ProcessMessages();
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 1);
}

TEST(Application, WaitAndProcessWakesForTheHandleAndForMessages) {
  TApplication app(nullptr);
  THandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::thread setter([&] {
    std::this_thread::sleep_for(100ms);
    SetEvent(event.Get());
  });
  const auto start = std::chrono::steady_clock::now();
  bool signalled = false;
  while (!signalled && std::chrono::steady_clock::now() - start < 5s) {
    signalled = app.WaitAndProcess(event.Get(), 5000);
  }
  setter.join();
  EXPECT_TRUE(signalled);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);

  // Queued work wakes a wait with no handle long before its time-out.
  bool ran = false;
  std::thread poster([&] { app.Queue([&] { ran = true; }); });
  poster.join();
  const auto t0 = std::chrono::steady_clock::now();
  app.WaitAndProcess(nullptr, 5000);
  EXPECT_TRUE(ran);
  EXPECT_LT(std::chrono::steady_clock::now() - t0, 2s);
}

TEST(Application, TerminateEndsRun) {
  TApplication app(nullptr);
  auto& timer = OwnedComponent<TTimer>(app);
  timer.SetInterval(20);
  int ticks = 0;
  timer.OnTimer = [&](TObject*) {
    if (++ticks == 3) app.Terminate();
  };
  app.Run();
  EXPECT_TRUE(app.Terminated());
  EXPECT_EQ(ticks, 3);
}

TEST(Application, WithoutAnIconResourceFormsKeepTheSystemsIcon) {
  // This test program has no "MAINICON" resource.
  TApplication app(nullptr);
  app.Initialize();
  EXPECT_EQ(app.Icon(), nullptr);
  EXPECT_EQ(app.SmallIcon(), nullptr);
  TForm form(nullptr, TFormStyle{});
  EXPECT_EQ(SendMessageW(form.Handle(), WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_EQ(SendMessageW(form.Handle(), WM_GETICON, ICON_SMALL, 0), 0);
}

}  // namespace

// Two layers on one WindowProc: each sees messages before the one below it,
// and either can come off first without cutting the other out of the chain.
TEST(WndMethodLayer, LayersStackAndComeOffInAnyOrder) {
  std::vector<std::string> heard;
  TWndMethod slot = [&](TMessage&) { heard.push_back("base"); };
  auto send = [&] {
    heard.clear();
    TMessage m{WM_USER, 0, 0, 0};
    slot(m);
    return heard;
  };
  using Heard = std::vector<std::string>;
  TWndMethodLayer lower, upper;
  lower.Install(slot, [&](TMessage& m) {
    heard.push_back("lower");
    lower.CallPrevious(m);
  });
  upper.Install(slot, [&](TMessage& m) {
    heard.push_back("upper");
    upper.CallPrevious(m);
  });
  EXPECT_EQ(send(), (Heard{"upper", "lower", "base"}));

  // The lower one goes first: the upper one keeps working, the lower one
  // only passes on.
  lower.Remove();
  EXPECT_FALSE(lower.Installed());
  EXPECT_EQ(send(), (Heard{"upper", "base"}));
  upper.Remove();
  EXPECT_EQ(send(), (Heard{"base"}));

  // On top again, and taken off from inside its own handler.
  lower.Install(slot, [&](TMessage& m) {
    heard.push_back("once");
    lower.CallPrevious(m);
    lower.Remove();
  });
  EXPECT_EQ(send(), (Heard{"once", "base"}));
  EXPECT_EQ(send(), (Heard{"base"}));

  // A layer whose control is gone touches nothing of it.
  {
    TWndMethod gone = [](TMessage&) {};
    upper.Install(gone, [](TMessage&) {});
    upper.Orphan();
  }
  EXPECT_FALSE(upper.Installed());
  upper.Remove();
}
