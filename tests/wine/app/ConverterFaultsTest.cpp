// Faults of the converter that a review found, each reproduced with stand-in
// helpers: the case of non-ASCII names, a talkative probe, a close during a
// failing probe, a file in the place of the output folder, and a progress
// line cut inside its timestamp. Also the batch's summary and its taskbar
// button.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "app/ConverterText.h"
#include "app/FileNameOrder.h"
#include "app/MainTexts.h"
#include "framework/Timer.h"
#include "tests/wine/app/StandInFixture.h"

namespace {

using namespace std::chrono_literals;

using ConverterFaultsTest = StandInTest;

TEST(FileNameOrder, NamesDifferingOnlyInTheCaseOfAnyLetterAreOneName) {
  EXPECT_EQ(CompareFileNames(L"\u00C4rger.mp3", L"\u00E4rger.mp3"), 0);
  EXPECT_EQ(CompareFileNames(L"\u0394\u03B5\u03BB\u03C4\u03B1", L"\u03B4\u0395\u039B\u03A4\u0391"),
            0);
  EXPECT_EQ(CompareFileNames(L"ABC.mp3", L"abc.MP3"), 0);
  EXPECT_LT(CompareFileNames(L"a.mp3", L"B.mp3"), 0);
  EXPECT_NE(CompareFileNames(L"\u00C4rger.mp3", L"Arger.mp3"), 0);
  converter::TOutputNames names(L"E:\\out\\", CompareFileNames);
  EXPECT_EQ(names.NameFor(L"D:\\one\\\u00C4rger.wma"), L"E:\\out\\\u00C4rger.mp3");
  EXPECT_EQ(names.NameFor(L"D:\\two\\\u00E4rger.wma"), L"E:\\out\\\u00E4rger (2).mp3");
}

TEST_F(ConverterFaultsTest, TwoSourcesWhoseNamesDifferInTheCaseOfAnUmlautWriteTwoFiles) {
  const std::wstring upper = Source(L"one\\\u00C4rger.wma", GoodSource(1));
  const std::wstring lower = Source(L"two\\\u00E4rger.wma", GoodSource(1));
  AddFiles({upper, lower});
  const std::wstring out = root + L"out\\";
  chosen_folder = out;
  form->Button8->Click();
  form->btnConvert->Click();
  ASSERT_EQ(form->LastOutputs().size(), 2u);
  EXPECT_EQ(form->LastOutputs()[0], out + L"\u00C4rger.mp3");
  EXPECT_EQ(form->LastOutputs()[1], out + L"\u00E4rger (2).mp3");
  EXPECT_TRUE(FileExists(out + L"\u00C4rger.mp3"));
  EXPECT_TRUE(FileExists(out + L"\u00E4rger (2).mp3"));
  EXPECT_EQ(form->JobList[0]->Status, texts::kDone);
  EXPECT_EQ(form->JobList[1]->Status, texts::kDone);
}

TEST_F(ConverterFaultsTest, AProbeThatPrintsManyLinesBeforeTheLengthIsStillRead) {
  // Seventy lines, each arriving on its own, before the length: more lines
  // than the probe once had passes, well within its time.
  std::string steps;
  for (int i = 0; i < 70; ++i)
    steps += "out:ID_CLIP_INFO_N=" + std::to_string(i) + "\\n\nsleep:70\n";
  const std::wstring talkative = Source(L"talkative.wma", GoodSource(42, steps));
  AddFiles({talkative});
  ASSERT_EQ(form->JobList.size(), 1u);
  EXPECT_EQ(form->JobList[0]->Duration, 42);
}

TEST_F(ConverterFaultsTest, ACloseDuringAProbeThatEndsInAConversionErrorStillCloses) {
  // The bad length is the player's unfinished last line, read only once the
  // close has ended the wait.
  const std::wstring bad = Source(L"bad-length.wma", "out:ID_LENGTH=1.2.3\nsleep:1500\n");
  auto& closer = OwnedComponent<TTimer>(app);
  closer.SetInterval(300);
  closer.OnTimer = [&](TObject*) {
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
    closer.SetEnabled(false);
  };
  AddFiles({bad});
  closer.SetEnabled(false);
  PumpUntil(
      app, [&] { return !IsWindowVisible(form->Handle()); }, 5s);
  EXPECT_FALSE(IsWindowVisible(form->Handle())) << "the close that came during the probe was kept";
  EXPECT_TRUE(form->JobList.empty());
  EXPECT_FALSE(form->Busy());
}

TEST_F(ConverterFaultsTest, AConversionErrorWithoutACloseSaysSoAndTheWindowGoesOn) {
  const std::wstring bad = Source(L"bad-length.wma", "out:ID_LENGTH=1.2.3\\n\n");
  const std::wstring good = Source(L"good.wma", GoodSource(8));
  AddFiles({bad, good});
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find(L"1.2.3"), std::wstring::npos) << WideToUtf8(messages[0]);
  EXPECT_EQ(Rows(), (std::vector<std::wstring>{good})) << "the file without a length is left out";
  AddFiles({good});
  EXPECT_EQ(form->JobList.size(), 2u) << "the next add works";
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

TEST_F(ConverterFaultsTest, AFileInThePlaceOfTheOutputFolderStopsTheBatchWithTheFolderError) {
  AddFiles({Source(L"f.wma", GoodSource(1))});
  WriteTextFile(root + L"out\\clash", "a file, not a folder");
  chosen_folder = root + L"out\\clash\\";
  form->Button8->Click();
  form->btnConvert->Click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], converter::FolderErrorText(root + L"out\\clash\\"));
  EXPECT_EQ(form->JobList[0]->Status, texts::kReady);
  EXPECT_EQ(form->lblInfo->Caption(), texts::kReady);
}

TEST_F(ConverterFaultsTest, TheBarNeverJumpsBackOnAStatusLineCutInsideItsTimestamp) {
  // The stock encoder's status line, sent in two pieces: the first piece
  // ends inside the seconds ("time=00:00:0").
  const std::wstring source =
      Source(L"cut.wma", GoodSource(10,
                                    "out:size= 1kB time=00:00:05.00 bitrate=1\\r\nsleep:300\n"
                                    "out:size= 2kB time=00:00:0\nsleep:300\n"
                                    "out:6.00 bitrate=1\\r\nsleep:100\n"));
  AddFiles({source});
  ASSERT_EQ(form->JobList[0]->Duration, 10);
  chosen_folder = root + L"out\\";
  form->Button8->Click();
  std::vector<int> positions;
  TWndMethod previous = form->ProgressBar1->WindowProc;
  form->ProgressBar1->WindowProc = [&](TMessage& m) {
    if (m.Msg == PBM_SETPOS) positions.push_back(static_cast<int>(m.WParam));
    previous(m);
  };
  form->btnConvert->Click();
  form->ProgressBar1->WindowProc = previous;
  EXPECT_EQ(form->JobList[0]->Status, texts::kDone);
  // Up to the job's end (when the bar returns to 0) the bar only climbs.
  const auto climb = std::find(positions.begin(), positions.end(), 5);
  ASSERT_NE(climb, positions.end());
  const auto end = std::find(climb, positions.end(), 0);
  EXPECT_TRUE(std::is_sorted(climb, end)) << "the bar went back during the job";
  EXPECT_NE(std::find(climb, end, 6), end);
}

TEST_F(ConverterFaultsTest, ABatchWithAFailedJobEndsWithItsCountAndTheTaskbarInOrder) {
  const std::vector<std::wstring> files = {Source(L"ok1.wma", GoodSource(2)),
                                           Source(L"broken.wma", "out:ID_LENGTH=2\\n\nexit:1\n"),
                                           Source(L"ok2.wma", GoodSource(2))};
  AddFiles(files);
  chosen_folder = root + L"out\\";
  form->Button8->Click();
  form->btnConvert->Click();
  EXPECT_EQ(form->lblInfo->Caption(), L"转换完成（失败 1 个）");
  EXPECT_EQ(Row(0, 1), texts::kDone);
  EXPECT_EQ(Row(1, 1), texts::kFailed) << "the failed row keeps its status";
  EXPECT_EQ(Row(2, 1), texts::kDone);
  const auto state = [](TBPFLAG s) { return "state " + std::to_string(s); };
  EXPECT_EQ(taskbar_calls,
            (std::vector<std::string>{state(TBPF_NORMAL), "value 0/3000", "value 1000/3000",
                                      state(TBPF_ERROR), "value 2000/3000", "value 3000/3000",
                                      state(TBPF_NOPROGRESS)}));

  // All jobs succeed: the plain summary, and no error state.
  form->JobList.erase(form->JobList.begin() + 1);
  form->lvwFiles->SetItemCount(2);
  taskbar_calls.clear();
  form->btnConvert->Click();
  EXPECT_EQ(form->lblInfo->Caption(), texts::kBatchDone);
  EXPECT_EQ(taskbar_calls,
            (std::vector<std::string>{state(TBPF_NORMAL), "value 0/2000", "value 1000/2000",
                                      "value 2000/2000", state(TBPF_NOPROGRESS)}));
}

TEST_F(ConverterFaultsTest, WithoutATaskbarInterfaceTheBatchRunsAlike) {
  taskbar_present = false;
  AddFiles({Source(L"t1.wma", GoodSource(1)), Source(L"t2.wma", "exit:1\n")});
  chosen_folder = root + L"out\\";
  form->Button8->Click();
  form->btnConvert->Click();
  EXPECT_EQ(form->lblInfo->Caption(), L"转换完成（失败 1 个）");
  EXPECT_TRUE(taskbar_calls.empty());
  // And the shell's own taskbar list, whatever this system offers, does no harm.
  if (auto system = MakeSystemTaskbarProgress(form->Handle())) {
    system->SetState(TBPF_NORMAL);
    system->SetValue(1, 2);
  }
}

}  // namespace
