// The console command runner against real child processes under Windows.
#include "doscommand/DosCommand.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "framework/Application.h"
#include "tests/wine/support/WineTestSupport.h"

namespace {

// Started by one of the tests as a child of the runner: the copy says on its
// standard output whether it has a console and ends before any test runs.
const bool kToldConsole = [] {
  if (!wcsstr(GetCommandLineW(), L"--tell-console")) return false;
  THandle console(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                              nullptr));
  const char* answer = console ? "console\n" : "none\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), answer, static_cast<DWORD>(strlen(answer)), &written,
            nullptr);
  ExitProcess(0);
}();

using namespace std::chrono_literals;
using Event = std::pair<std::string, TOutputType>;

class DosCommandTest : public ::testing::Test {
 protected:
  DosCommandTest() {
    app.Initialize();
    runner = &OwnedComponent<TDosCommand>(app);
    runner->OnNewLine = [this](TObject* sender, const std::string& line, TOutputType type) {
      std::lock_guard<std::mutex> lock(events_lock);
      EXPECT_EQ(sender, runner);
      events.emplace_back(line, type);
      if (GetCurrentThreadId() != app.MainThreadId()) ++worker_thread_events;
    };
    runner->OnTerminated = [this](TObject* sender) {
      EXPECT_EQ(sender, runner);
      terminated.fetch_add(1);
    };
  }

  static std::wstring Child(const std::wstring& steps) {
    return Quoted(TestBinDir() + L"scriptchild.exe") + L" " + steps;
  }

  // Starts the command and processes messages until the run has ended.
  void RunToEnd(const std::wstring& command, std::chrono::milliseconds limit = 20s) {
    runner->SetCommandLine(command);
    runner->Execute();
    ASSERT_TRUE(PumpUntil(
        app, [this] { return !runner->IsRunning(); }, limit))
        << "the run did not end in time";
    runner->Stop();
  }

  std::vector<Event> Events() {
    std::lock_guard<std::mutex> lock(events_lock);
    return events;
  }

  TApplication app{nullptr};
  TDosCommand* runner = nullptr;
  std::mutex events_lock;
  std::vector<Event> events;
  std::atomic<int> terminated{0};
  std::atomic<int> worker_thread_events{0};
};

std::vector<std::string> Lines(const TDosCommand& runner) {
  return runner.Lines().Snapshot().Lines();
}

TEST_F(DosCommandTest, CrLfAndLfInOneWriteGiveTwoLines) {
  RunToEnd(Child(L"out:a\\r\\nb\\n"));
  EXPECT_EQ(Events(), (std::vector<Event>{{"a", otEntireLine}, {"b", otEntireLine}}));
  EXPECT_EQ(Lines(*runner), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(terminated.load(), 1);
  EXPECT_EQ(worker_thread_events.load(), 2) << "line events are raised on the worker thread";
}

TEST_F(DosCommandTest, UnfinishedLastLineIsDeliveredAgainAsEntireAfterExit) {
  RunToEnd(Child(L"out:a\\rb"));
  EXPECT_EQ(Events(), (std::vector<Event>{
                          {"a", otEntireLine}, {"b", otBeginningOfLine}, {"b", otEntireLine}}));
  EXPECT_EQ(Lines(*runner), (std::vector<std::string>{"a", "b"}));
}

TEST_F(DosCommandTest, CrAndLfInSeparateReadsGiveALineAndAnEmptyLine) {
  RunToEnd(Child(L"out:abc\\r sleep:400 out:\\ndef\\n"));
  EXPECT_EQ(Lines(*runner), (std::vector<std::string>{"abc", "", "def"}));
}

TEST_F(DosCommandTest, NulBytesAndCrOnlyRewritesAndGrowingLines) {
  RunToEnd(Child(L"out:x\\0y\\n out:p1\\rp2\\rp3\\r out:ab sleep:300 out:cd sleep:300 out:ef\\n"));
  EXPECT_EQ(Lines(*runner), (std::vector<std::string>{"xy", "p1", "p2", "p3", "abcdef"}));
  std::vector<std::string> partial;
  for (const Event& e : Events())
    if (e.second == otBeginningOfLine) partial.push_back(e.first);
  EXPECT_EQ(partial, (std::vector<std::string>{"ab", "abcd"}));
}

TEST_F(DosCommandTest, StandardErrorIsCapturedWithStandardOutput) {
  RunToEnd(Child(L"out:one\\n sleep:100 err:two\\n"));
  EXPECT_EQ(Lines(*runner), (std::vector<std::string>{"one", "two"}));
}

TEST_F(DosCommandTest, ExitCodeIsKeptAfterTheRun) {
  RunToEnd(Child(L"out:bye\\n exit:3"));
  const TRunOutcome outcome = runner->LastOutcome();
  EXPECT_EQ(outcome.end, TRunEnd::reExited);
  EXPECT_EQ(outcome.exit_code, 3u);
  RunToEnd(Child(L"out:ok\\n"));
  EXPECT_EQ(runner->LastOutcome().exit_code, 0u);
  EXPECT_EQ(Lines(*runner), (std::vector<std::string>{"ok"})) << "Lines is cleared per run";
}

TEST_F(DosCommandTest, EmptyCommandLineRaisesAndStartsNothing) {
  runner->SetCommandLine(L"");
  try {
    runner->Execute();
    FAIL() << "expected EDosCommand";
  } catch (const EDosCommand& e) {
    EXPECT_EQ(e.Message(), "No Commandline to execute");
  }
  EXPECT_FALSE(runner->IsRunning());
  EXPECT_EQ(terminated.load(), 0);
}

TEST_F(DosCommandTest, MissingProgramEndsTheRunCleanlyWithItsMessage) {
  const std::wstring command = L"\"C:\\no\\such\\program.exe\" -x";
  RunToEnd(command, 10s);
  const TRunOutcome outcome = runner->LastOutcome();
  EXPECT_EQ(outcome.end, TRunEnd::reStartFailed);
  EXPECT_EQ(outcome.error, "\"C:\\no\\such\\program.exe\" -x doesn't exist.");
  EXPECT_EQ(terminated.load(), 1);
  EXPECT_FALSE(runner->IsRunning());
  EXPECT_EQ(WaitForSingleObject(runner->RunEndedEvent(), 0), WAIT_OBJECT_0);
}

TEST_F(DosCommandTest, AProgramHeldOpenForAMomentWhenTheRunBeginsStillStarts) {
  // A fresh copy of the child, held open without sharing (as a scanner
  // reading a program just written does) for a fifth of a second.
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring copy = std::wstring(temp) + L"tonmill-held-child.exe";
  ASSERT_TRUE(CopyFileW((TestBinDir() + L"scriptchild.exe").c_str(), copy.c_str(), FALSE));
  HANDLE held = CreateFileW(copy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::thread release([held] {
    Sleep(200);
    CloseHandle(held);
  });
  RunToEnd(Quoted(copy) + L" out:started\\n");
  release.join();
  EXPECT_EQ(runner->LastOutcome().end, TRunEnd::reExited) << runner->LastOutcome().error;
  EXPECT_EQ(Lines(*runner), (std::vector<std::string>{"started"}));
  DeleteFileW(copy.c_str());
}

TEST_F(DosCommandTest, StopKillsTheRunningChild) {
  runner->SetCommandLine(Child(L"pid sleep:60000"));
  runner->Execute();
  ASSERT_TRUE(PumpUntil(
      app, [this] { return runner->Lines().Count() > 0; }, 10s));
  const std::string first = runner->Lines().Snapshot()[0];
  ASSERT_EQ(first.rfind("pid=", 0), 0u) << first;
  const DWORD pid = static_cast<DWORD>(std::stoul(first.substr(4)));
  THandle child(OpenProcess(SYNCHRONIZE, FALSE, pid));
  ASSERT_TRUE(child);
  EXPECT_TRUE(runner->IsRunning());

  const auto before = std::chrono::steady_clock::now();
  runner->Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - before, 5s);
  EXPECT_EQ(WaitForSingleObject(child.Get(), 5000), WAIT_OBJECT_0) << "the child is gone";
  EXPECT_FALSE(runner->IsRunning());
  EXPECT_EQ(runner->LastOutcome().end, TRunEnd::reStopped);
  EXPECT_EQ(terminated.load(), 1);
}

TEST_F(DosCommandTest, DestroyingTheRunnerDuringARunStopsTheChild) {
  runner->SetCommandLine(Child(L"pid sleep:60000"));
  runner->Execute();
  ASSERT_TRUE(PumpUntil(
      app, [this] { return runner->Lines().Count() > 0; }, 10s));
  const DWORD pid = static_cast<DWORD>(std::stoul(runner->Lines().Snapshot()[0].substr(4)));
  THandle child(OpenProcess(SYNCHRONIZE, FALSE, pid));
  ASSERT_TRUE(child);
  app.RemoveComponent(runner).reset();
  runner = nullptr;
  EXPECT_EQ(WaitForSingleObject(child.Get(), 5000), WAIT_OBJECT_0);
}

TEST_F(DosCommandTest, MaxTimeAfterBeginningEndsTheRunWithoutKillingTheChild) {
  runner->MaxTimeAfterBeginning = 1;
  const auto start = std::chrono::steady_clock::now();
  RunToEnd(Child(L"pid sleep:6000"));
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(runner->LastOutcome().end, TRunEnd::reTimeLimit);
  EXPECT_GE(took, 1800ms) << "the limit ends the run once the count exceeds it";
  EXPECT_LT(took, 5000ms);
  const DWORD pid = static_cast<DWORD>(std::stoul(Lines(*runner)[0].substr(4)));
  THandle child(OpenProcess(SYNCHRONIZE, FALSE, pid));
  ASSERT_TRUE(child) << "the child is left running after a time limit";
  EXPECT_EQ(WaitForSingleObject(child.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST_F(DosCommandTest, MaxTimeAfterLastOutputCountsFromTheLastCompleteLine) {
  runner->MaxTimeAfterLastOutput = 1;
  const auto start = std::chrono::steady_clock::now();
  // Lines keep coming for 2.4 s, then silence.
  RunToEnd(Child(L"out:1\\n sleep:800 out:2\\n sleep:800 out:3\\n sleep:800 out:4\\n sleep:8000"));
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(runner->LastOutcome().end, TRunEnd::reTimeLimit);
  EXPECT_EQ(Lines(*runner), (std::vector<std::string>{"1", "2", "3", "4"}));
  EXPECT_GE(took, 3500ms);
  EXPECT_LT(took, 7500ms);
}

TEST_F(DosCommandTest, CountersAdvanceOnlyWhileMessagesAreProcessed) {
  // Three seconds pass without messages: a timer that counted by itself
  // would be past the limit of 2 at once; the one tick that is pending
  // counts 1, and the child ends before the count can exceed 2.
  runner->MaxTimeAfterBeginning = 2;
  runner->SetCommandLine(Child(L"sleep:3000 out:done\\n"));
  runner->Execute();
  Sleep(3000);
  EXPECT_TRUE(runner->IsRunning());
  ASSERT_TRUE(PumpUntil(
      app, [this] { return !runner->IsRunning(); }, 20s));
  runner->Stop();
  EXPECT_EQ(runner->LastOutcome().end, TRunEnd::reExited);
  EXPECT_EQ(Lines(*runner), (std::vector<std::string>{"done"}));
}

TEST_F(DosCommandTest, TenMegabytesArriveWithoutLoss) {
  const long long bytes = 10'000'000;
  std::atomic<long long> seen{0};
  std::atomic<int> lines_seen{0};
  runner->OnNewLine = [&](TObject*, const std::string& line, TOutputType type) {
    if (type == otEntireLine) {
      seen.fetch_add(static_cast<long long>(line.size()) + 1);
      lines_seen.fetch_add(1);
    }
  };
  runner->SetCommandLine(Child(L"bulk:" + std::to_wstring(bytes)));
  runner->Execute();
  // Reading Lines from this thread while the worker appends must be safe.
  int last_count = 0;
  ASSERT_TRUE(PumpUntil(
      app,
      [&] {
        const int count = runner->Lines().Count();
        EXPECT_GE(count, last_count);
        last_count = count;
        return !runner->IsRunning();
      },
      120s));
  runner->Stop();
  const int expected_lines = static_cast<int>(bytes / 13);
  EXPECT_EQ(lines_seen.load(), expected_lines + 1);  // the dotted tail ends unfinished
  EXPECT_EQ(seen.load(), bytes + 1);
  const TStringList lines = runner->Lines().Snapshot();
  ASSERT_EQ(lines.Count(), expected_lines + 1);
  EXPECT_EQ(lines[0], "line 0000001");
  char last[32];
  wsprintfA(last, "line %07d", expected_lines);
  EXPECT_EQ(lines[expected_lines - 1], last);
}

TEST_F(DosCommandTest, ThePackagedEncoderRuns) {
  RunToEnd(Quoted(TestBinDir() + L"ffmpeg.exe") + L" -version", 60s);
  const TStringList lines = runner->Lines().Snapshot();
  ASSERT_GT(lines.Count(), 0);
  EXPECT_EQ(lines[0].rfind("ffmpeg version", 0), 0u) << lines[0];
  EXPECT_EQ(runner->LastOutcome().end, TRunEnd::reExited);
  EXPECT_EQ(runner->LastOutcome().exit_code, 0u);
}

TEST_F(DosCommandTest, ShellSyntaxReachesTheProgramAsArguments) {
  RunToEnd(Child(L"out:x\\n 2>&1 |grep ID_LENGTH"));
  EXPECT_EQ(Lines(*runner), (std::vector<std::string>{"x"}));
  EXPECT_EQ(runner->LastOutcome().end, TRunEnd::reExited);
}

TEST_F(DosCommandTest, AStopThatComesAfterTheChildEndedKeepsTheChildsOwnOutcome) {
  // The worker is held in the line handler while the child ends by itself;
  // the stop arrives before the worker has seen the end.
  std::atomic<bool> in_handler{false};
  runner->OnNewLine = [&](TObject*, const std::string&, TOutputType type) {
    if (type != otEntireLine) return;
    in_handler = true;
    Sleep(800);
  };
  runner->SetCommandLine(Child(L"out:finished\\n exit:7"));
  runner->Execute();
  ASSERT_TRUE(PumpUntil(
      app, [&] { return in_handler.load(); }, 10s));
  Sleep(300);  // the child has written its line and is gone by now
  runner->Stop();
  const TRunOutcome outcome = runner->LastOutcome();
  EXPECT_EQ(outcome.end, TRunEnd::reExited) << "a child that ended by itself was not stopped";
  EXPECT_EQ(outcome.exit_code, 7u);
}

TEST_F(DosCommandTest, AStopThatKillsTheChildCountsAsStopped) {
  runner->SetCommandLine(Child(L"out:started\\n sleep:60000"));
  runner->Execute();
  ASSERT_TRUE(PumpUntil(
      app, [this] { return runner->Lines().Count() > 0; }, 10s));
  runner->Stop();
  EXPECT_EQ(runner->LastOutcome().end, TRunEnd::reStopped);
}

TEST_F(DosCommandTest, ALineHandlerThatThrowsDoesNotLeaveTheChildRunning) {
  std::atomic<DWORD> pid{0};
  runner->OnNewLine = [&](TObject*, const std::string& line, TOutputType type) {
    if (type != otEntireLine || line.rfind("pid=", 0) != 0) return;
    pid = static_cast<DWORD>(std::stoul(line.substr(4)));
    throw std::runtime_error("the handler fails");
  };
  runner->SetCommandLine(Child(L"pid sleep:60000"));
  runner->Execute();
  ASSERT_TRUE(PumpUntil(
      app, [this] { return !runner->IsRunning(); }, 10s))
      << "the run ends when its handler throws";
  runner->Stop();
  ASSERT_NE(pid.load(), 0u);
  THandle child(OpenProcess(SYNCHRONIZE, FALSE, pid.load()));
  if (child) {
    EXPECT_EQ(WaitForSingleObject(child.Get(), 5000), WAIT_OBJECT_0) << "the child was killed";
  }
  EXPECT_NE(runner->LastOutcome().end, TRunEnd::reExited);
  EXPECT_EQ(terminated.load(), 1);
}

TEST_F(DosCommandTest, ARunHasAHiddenConsoleOfItsOwnUnlessItGoesWithout) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring tell = Quoted(self) + L" --tell-console";
  EXPECT_EQ(runner->CreationFlags(),
            static_cast<DWORD>(NORMAL_PRIORITY_CLASS | CREATE_NEW_CONSOLE));
  RunToEnd(tell);
  EXPECT_EQ(Lines(*runner), (std::vector<std::string>{"console"}));

  runner->NewConsole = false;
  RunToEnd(tell);
  EXPECT_EQ(Lines(*runner), (std::vector<std::string>{"none"}));
  // Without a console the output, the error output and the exit code still
  // come back whole.
  RunToEnd(Child(L"out:a\\r\\nb\\n err:c\\n exit:4"));
  EXPECT_EQ(Lines(*runner), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(runner->LastOutcome().end, TRunEnd::reExited);
  EXPECT_EQ(runner->LastOutcome().exit_code, 4u);
  EXPECT_EQ(terminated.load(), 3);
}

}  // namespace
