// A batch with several encoders at once, the stand-in encoder counting how
// many of its runs go at the same time: the width is kept, every job ends
// with its MP3 and its row, a failure stops no other job, Esc and a close
// stop every running encoder and remove their partial files, and names equal
// but for case stay two files whichever run ends first.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "app/MainTexts.h"
#include "framework/Timer.h"
#include "tests/wine/app/RunCount.h"
#include "tests/wine/app/StandInFixture.h"
#include "tests/wine/support/InputScript.h"

namespace {

using namespace std::chrono_literals;

// An encoder run that counts itself (and with `meet`, waits until that many
// go at once), reports half its length, waits a while and writes `bytes` of
// output (none for 0), then takes the `ending` steps.
std::string CountedSource(const std::wstring& counter, int seconds, int wait_ms, int bytes,
                          const std::string& ending = "", int meet = 0) {
  std::string steps = "out:ID_LENGTH=" + std::to_string(seconds) + "\\n\n" +
                      "enc:count:" + WideToUtf8(counter) + "\n";
  if (meet > 0) steps += "enc:meet:" + std::to_string(meet) + "\n";
  steps += "enc:out:ffmpeg_release_time=" + std::to_string(seconds / 2) +
           "=ffmpeg_release_time\\n\n" + "enc:sleep:" + std::to_string(wait_ms) + "\n";
  if (bytes > 0) steps += "write:" + std::to_string(bytes) + "\n";
  return steps + ending;
}

// An encoder that writes part of its file and then hangs until it is killed.
std::string HangingSource(int seconds) {
  return "out:ID_LENGTH=" + std::to_string(seconds) + "\\n\n" + "enc:write:50\n" +
         "enc:sleep:60000\n";
}

ULONGLONG FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry{};
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return names;
}

class ParallelBatchTest : public StandInTest, public ::testing::WithParamInterface<int> {
 protected:
  void ChooseOutput() {
    out = root + L"out\\";
    chosen_folder = out;
    form->Button8->Click();
  }
  // What the rows and the status line said while the batch ran.
  void Watch() {
    auto& watch = OwnedComponent<TTimer>(app);
    watch.SetInterval(15);
    watch.OnTimer = [this](TObject*) {
      for (int i = 0; i < form->lvwFiles->ItemCount(); ++i) row_texts.push_back(Row(i, 1));
      const std::wstring info = form->lblInfo->Caption();
      if (infos.empty() || infos.back() != info) infos.push_back(info);
    };
    watcher = &watch;
  }
  bool Seen(const std::wstring& text) const {
    for (const std::wstring& t : row_texts)
      if (t == text) return true;
    return false;
  }
  // Jobs 0 and 1 finish at once; 2 and 3 write part of their files and
  // hang; 4 and 5 wait their turn.
  std::vector<std::wstring> HangingBatch() {
    std::vector<std::wstring> files;
    for (int i = 0; i < 6; ++i) {
      files.push_back(
          Source(L"s" + std::to_wstring(i) + L".wma", i < 2 ? GoodSource(3) : HangingSource(3)));
    }
    return files;
  }
  std::wstring out;
  std::vector<std::wstring> row_texts;
  std::vector<std::wstring> infos;
  TTimer* watcher = nullptr;
};

TEST_P(ParallelBatchTest, SixJobsRunAtMostNAtOnceAndEachEndsWithItsFileAndRow) {
  const int n = GetParam();
  form->SetLogicalProcessors(4);
  form->SetParallelJobs(n);
  ASSERT_EQ(form->ParallelJobs(), n);
  const std::wstring counter = L"tonmill-batch-" + std::to_wstring(n);
  const TRunCount count(counter);
  std::vector<std::wstring> files;
  for (int i = 0; i < 6; ++i) {
    // The first n meet, so a machine slow to start programs still shows
    // them going at once; the third job's encoder fails and writes nothing.
    const int meet = i < n ? n : 0;
    files.push_back(Source(L"job" + std::to_wstring(i) + L".wma",
                           i == 2 ? CountedSource(counter, 4, 600, 0, "enc:exit:3\n", meet)
                                  : CountedSource(counter, 4, 600, 100 + i, "", meet)));
  }
  AddFiles(files);
  ASSERT_EQ(form->JobList.size(), 6u);
  ChooseOutput();
  Watch();
  form->btnConvert->Click();
  watcher->SetEnabled(false);
  ASSERT_TRUE(messages.empty()) << WideToUtf8(messages.front());

  EXPECT_EQ(count.Most(), n) << "the encoders that ran at once";
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    const std::wstring mp3 = out + L"job" + std::to_wstring(i) + L".mp3";
    if (i == 2) {
      EXPECT_EQ(Row(i, 1), texts::kFailed);
      EXPECT_FALSE(FileExists(mp3));
    } else {
      EXPECT_EQ(Row(i, 1), texts::kDone);
      EXPECT_EQ(FileSize(mp3), static_cast<ULONGLONG>(100 + i)) << "each job wrote its own file";
    }
  }
  EXPECT_EQ(form->lblInfo->Caption(), L"转换完成（失败 1 个）");
  EXPECT_TRUE(Seen(L"转换中 50%")) << "a running row shows how far its encoder is";
  EXPECT_EQ(form->ProgressBar1->Position(), 0);
  EXPECT_TRUE(form->btnConvert->Enabled());
  // The status line counts the batch as a whole, and the bar spans it.
  bool counted = false;
  for (const std::wstring& info : infos)
    counted = counted || info.rfind(L"正在转换：已完成 ", 0) == 0;
  EXPECT_TRUE(counted);
  // The taskbar button follows the batch forward to its end.
  ASSERT_GE(taskbar_calls.size(), 3u);
  EXPECT_EQ(taskbar_calls[taskbar_calls.size() - 2], "value 6000/6000");
  unsigned long long last = 0;
  for (const std::string& call : taskbar_calls) {
    if (call.rfind("value ", 0) != 0) continue;
    const unsigned long long value = std::stoull(call.substr(6));
    EXPECT_GE(value, last) << call;
    last = value;
  }
}

INSTANTIATE_TEST_SUITE_P(Widths, ParallelBatchTest, ::testing::Values(2, 4));

using StoppingBatchTest = ParallelBatchTest;

TEST_F(StoppingBatchTest, EscAsksOnceAndStopsEveryRunningEncoderRemovingItsPartialFile) {
  form->SetParallelJobs(2);
  ASSERT_EQ(form->ParallelJobs(), 2) << "a machine of at least two processors";
  AddFiles(HangingBatch());
  ChooseOutput();
  answer = IDYES;
  auto& presser = OwnedComponent<TTimer>(app);
  presser.SetInterval(30);
  bool pressed = false;
  presser.OnTimer = [&](TObject*) {
    if (pressed || !FileExists(out + L"s2.mp3") || !FileExists(out + L"s3.mp3")) return;
    pressed = true;
    SetFocus(form->Handle());
    PostMessageW(form->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageW(form->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
  };
  const auto t0 = std::chrono::steady_clock::now();
  form->btnConvert->Click();
  presser.SetEnabled(false);
  ASSERT_TRUE(pressed);
  EXPECT_LT(std::chrono::steady_clock::now() - t0, 30s) << "the hanging encoders were killed";
  EXPECT_EQ(messages, (std::vector<std::wstring>{texts::kStopBatch})) << "one question";
  EXPECT_EQ(FileSize(out + L"s0.mp3"), 100u);
  EXPECT_EQ(FileSize(out + L"s1.mp3"), 100u);
  EXPECT_FALSE(FileExists(out + L"s2.mp3"));
  EXPECT_FALSE(FileExists(out + L"s3.mp3"));
  EXPECT_EQ(FilesIn(out).size(), 2u);
  const std::vector<std::wstring> rows = {Row(0, 1), Row(1, 1), Row(2, 1),
                                          Row(3, 1), Row(4, 1), Row(5, 1)};
  EXPECT_EQ(rows, (std::vector<std::wstring>{texts::kDone, texts::kDone, texts::kStopped,
                                             texts::kStopped, texts::kReady, texts::kReady}));
  EXPECT_EQ(form->lblInfo->Caption(), texts::kStopped);
  EXPECT_FALSE(form->Busy());
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

TEST_F(StoppingBatchTest, ClosingStopsEveryRunningEncoderRemovesPartialFilesAndCloses) {
  form->SetParallelJobs(2);
  AddFiles(HangingBatch());
  ChooseOutput();
  answer = IDYES;
  auto& closer = OwnedComponent<TTimer>(app);
  closer.SetInterval(30);
  bool closed = false;
  closer.OnTimer = [&](TObject*) {
    if (closed || !FileExists(out + L"s2.mp3") || !FileExists(out + L"s3.mp3")) return;
    closed = true;
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
  };
  form->btnConvert->Click();
  closer.SetEnabled(false);
  ASSERT_TRUE(closed);
  EXPECT_EQ(messages, (std::vector<std::wstring>{texts::kStopAndClose}));
  PumpUntil(
      app, [&] { return !IsWindowVisible(form->Handle()); }, 5s);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(FilesIn(out), (std::vector<std::wstring>{L"s0.mp3", L"s1.mp3"}));
  EXPECT_FALSE(form->ConvertRunner->IsRunning());
}

TEST_F(StoppingBatchTest, NamesEqualButForCaseGiveTwoFilesWhicheverEndsFirst) {
  form->SetParallelJobs(2);
  const TRunCount count(L"tonmill-case");
  for (const bool first_slower : {true, false}) {
    SCOPED_TRACE(first_slower ? "the first ends last" : "the first ends first");
    form->btnClear->Click();
    RemoveTree(root + L"out");
    const std::wstring upper = Source(
        L"one\\Song.wma", CountedSource(L"tonmill-case", 2, first_slower ? 900 : 50, 111, "", 2));
    const std::wstring lower = Source(
        L"two\\SONG.wma", CountedSource(L"tonmill-case", 2, first_slower ? 50 : 900, 222, "", 2));
    AddFiles({upper, lower});
    ChooseOutput();
    form->btnConvert->Click();
    EXPECT_EQ(Row(0, 1), texts::kDone);
    EXPECT_EQ(Row(1, 1), texts::kDone);
    EXPECT_EQ(FilesIn(out).size(), 2u);
    ASSERT_EQ(form->LastOutputs().size(), 2u);
    EXPECT_EQ(FileSize(form->LastOutputs()[0]), 111u);
    EXPECT_EQ(FileSize(form->LastOutputs()[1]), 222u);
  }
  EXPECT_EQ(count.Most(), 2) << "the two ran at once";
}

TEST_F(StoppingBatchTest, TheChoiceOfFilesAtOnceSitsWholeInTheOutputGroupAndTakesTheUsersPick) {
  EXPECT_EQ(form->ParallelJobs(), 1) << "one file after another out of the box";
  EXPECT_EQ(form->cbxParallel->ItemIndex(), 0);
  form->SetLogicalProcessors(12);
  EXPECT_EQ(form->cbxParallel->ItemCount(), 8) << "at most eight";
  form->SetLogicalProcessors(3);
  ASSERT_EQ(form->cbxParallel->ItemCount(), 3);
  EXPECT_EQ(form->cbxParallel->Item(2), L"3");

  // The user picks the next value with the keyboard.
  SetForegroundWindow(form->Handle());
  SetFocus(form->cbxParallel->Handle());
  input::Key(VK_DOWN);
  EXPECT_TRUE(PumpUntil(
      app, [&] { return form->ParallelJobs() == 2; }, 5s));
  EXPECT_EQ(form->cbxParallel->Text(), L"2");

  // Label, field, choice and button sit side by side inside the group, and
  // each text fits its control.
  const TWinControl* group = form->GroupBox6;
  const std::vector<const TWinControl*> row = {form->Label10, form->edtSaveDir, form->lblParallel,
                                               form->cbxParallel, form->Button8};
  for (size_t i = 0; i < row.size(); ++i) {
    EXPECT_EQ(row[i]->Parent(), group);
    EXPECT_GE(row[i]->Left(), 4);
    EXPECT_LE(row[i]->Left() + row[i]->Width(), group->Width() - 4);
    if (i > 0) {
      EXPECT_GT(row[i]->Left(), row[i - 1]->Left() + row[i - 1]->Width());
    }
  }
  HDC dc = GetDC(form->Handle());
  const HGDIOBJ old = SelectObject(
      dc, reinterpret_cast<HGDIOBJ>(SendMessageW(form->edtSaveDir->Handle(), WM_GETFONT, 0, 0)));
  const auto text_width = [&](const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  };
  EXPECT_LE(text_width(form->Label10->Caption()), form->Label10->Width());
  EXPECT_LE(text_width(form->lblParallel->Caption()), form->lblParallel->Width());
  EXPECT_LE(text_width(form->Button8->Caption()) + 8, form->Button8->Width());
  SelectObject(dc, old);
  ReleaseDC(form->Handle(), dc);

  // Looked at under every skin.
  const char* const names[] = {"meadow", "nightfall", "daylight", "contrast", "ember"};
  for (int skin = 0; skin < 5; ++skin) {
    form->SkinData1->LoadFromSkinStore(form->SkinStore1, skin);
    PumpUntil(
        app, [] { return false; }, 700ms);
    SaveShot(form->Handle(), std::string("output-group-") + names[skin]);
  }
}

}  // namespace
