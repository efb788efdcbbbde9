// The real main window driven through its handlers, with the file and folder
// dialogs and message boxes answered by the test. The WMA files come from
// make-media.sh; the MP3 files are checked afterwards by check-outputs.sh.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <fstream>
#include <string>
#include <vector>

#include "app/Main.h"
#include "app/MainTexts.h"
#include "app/StatusText.h"
#include "app/StoredSkins.h"
#include "framework/Application.h"
#include "framework/GdiObjects.h"
#include "framework/Timer.h"
#include "framework/Unicode.h"
#include "skin/data/SkinManage.h"
#include "skin/form/SkinWindowMessages.h"
#include "tests/wine/app/MainWindowHarness.h"
#include "tests/wine/support/WineTestSupport.h"

namespace {

using namespace std::chrono_literals;

std::wstring MediaDir() {
  const DWORD n = GetEnvironmentVariableW(L"TONMILL_MEDIA", nullptr, 0);
  std::wstring dir(n, L'\0');
  GetEnvironmentVariableW(L"TONMILL_MEDIA", dir.data(), n);
  dir.resize(n ? n - 1 : 0);
  return dir + L"\\";
}

std::wstring Src(const std::wstring& name) {
  return MediaDir() + L"src\\" + name;
}

// Saves what the screen shows of `hwnd` as a 24-bit BMP.
void SaveWindowShot(HWND hwnd, const std::wstring& path) {
  RECT r;
  GetWindowRect(hwnd, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  TWindowDC screen(nullptr);
  TMemoryDC memory(screen.Get(), w, h);
  BitBlt(memory.Get(), 0, 0, w, h, screen.Get(), r.left, r.top, SRCCOPY);
  BITMAPINFOHEADER bih{};
  bih.biSize = sizeof(bih);
  bih.biWidth = w;
  bih.biHeight = h;
  bih.biPlanes = 1;
  bih.biBitCount = 24;
  const int stride = (w * 3 + 3) & ~3;
  std::vector<char> pixels(static_cast<size_t>(stride) * h);
  HBITMAP bmp = static_cast<HBITMAP>(GetCurrentObject(memory.Get(), OBJ_BITMAP));
  GetDIBits(memory.Get(), bmp, 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&bih),
            DIB_RGB_COLORS);
  BITMAPFILEHEADER bfh{};
  bfh.bfType = 0x4D42;
  bfh.bfOffBits = sizeof(bfh) + sizeof(bih);
  bfh.bfSize = bfh.bfOffBits + static_cast<DWORD>(pixels.size());
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return;
  fwrite(&bfh, sizeof(bfh), 1, f);
  fwrite(&bih, sizeof(bih), 1, f);
  fwrite(pixels.data(), 1, pixels.size(), f);
  fclose(f);
}

class MainWindowTest : public ::testing::Test, public TMainWindowHarness {
 protected:
  void Add(const std::wstring& path) { AddFiles({path}); }
};

TEST_F(MainWindowTest, StartsWithItsTextsAndAnEmptyList) {
  EXPECT_EQ(form->Caption().rfind(L"Tonmill v2.2", 0), 0u);
  EXPECT_EQ(form->lblInfo->Caption(), texts::kReady);
  EXPECT_EQ(form->btnConvert->Caption(), L"立即转换");
  EXPECT_EQ(form->lvwFiles->ItemCount(), 0);
  EXPECT_EQ(form->WebBrowser1->LocationURL().substr(form->WebBrowser1->LocationURL().size() - 14),
            L"/ubs10-11.html");
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 533);
  EXPECT_EQ(client.bottom, 456);
  // The four blocks stack from the top in their order.
  EXPECT_EQ(form->GroupBox3->Top(), 161);
  EXPECT_EQ(form->GroupBox6->Top(), 297);
  EXPECT_EQ(form->GroupBox2->Top(), 345);
  EXPECT_EQ(form->ExeDir, TestBinDir());
}

TEST_F(MainWindowTest, CarriesFiveStoredSkinsAndLoadsTheThirdAtStart) {
  ASSERT_EQ(form->SkinStore1->Store().Count(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(form->SkinStore1->Store().Items(i).Name(), "SkinItem" + std::to_string(i));
    EXPECT_GT(form->SkinStore1->Store().Items(i).DataSize(), 1000);
  }
  EXPECT_FALSE(form->SkinData1->NotReady());
  EXPECT_TRUE(form->SkinData1->Active());
  EXPECT_EQ(form->SkinData1->DisableTag(), 99);
  // Loaded from item 2 byte for byte.
  const auto item = form->SkinStore1->Store().Items(2).Data().Bytes();
  const auto loaded = form->SkinData1->SkinBuffer().Bytes();
  ASSERT_EQ(loaded.size(), item.size());
  EXPECT_TRUE(std::equal(item.begin(), item.end(), loaded.begin()));
  // The manager was started with its hook, skinning is on, and once its
  // command has run the main window has a form engine on the same data.
  auto* manager = dynamic_cast<TSkinManage*>(skins->Manager());
  ASSERT_NE(manager, nullptr);
  EXPECT_TRUE(manager->HookInstalled());
  EXPECT_TRUE(manager->SkinningOn());
  EXPECT_EQ(manager->MainData(), form->SkinData1);
  manager->FlushCommand();
  TWinSkinForm* engine = manager->FindSkinForm(form->Handle());
  ASSERT_NE(engine, nullptr) << "switching the skin data on skins the main window";
  EXPECT_EQ(SendMessageW(form->Handle(), SKM_ISSKINNED, 0, 0), 1);
}

TEST_F(MainWindowTest, AddDeleteMoveAndClearKeepListAndViewInStep) {
  Add(Src(L"a.wma"));
  ASSERT_EQ(form->JobList.size(), 1u);
  EXPECT_EQ(form->JobList[0]->Duration, 12);
  EXPECT_EQ(Row(0), Src(L"a.wma"));
  EXPECT_EQ(Row(0, 1), texts::kReady);
  Add(Src(L"b.wma"));
  Add(Src(L"a.wma"));  // the same file twice gives two jobs
  Add(Src(L"中文歌曲 №1.wma"));
  ASSERT_EQ(form->lvwFiles->ItemCount(), 4);
  EXPECT_EQ(form->JobList[1]->Duration, 7);
  EXPECT_EQ(form->JobList[3]->Duration, 4);

  // A cancelled dialog adds nothing.
  form->btnAdd->Click();
  EXPECT_EQ(form->JobList.size(), 4u);

  // Delete without a selection does nothing; with one, exactly that row goes.
  form->lvwFiles->SetItemIndex(-1);
  form->btnDelete->Click();
  EXPECT_EQ(form->JobList.size(), 4u);
  form->lvwFiles->SetItemIndex(1);
  form->btnDelete->Click();
  ASSERT_EQ(form->JobList.size(), 3u);
  EXPECT_EQ(Row(1), Src(L"a.wma"));
  EXPECT_EQ(Row(2), Src(L"中文歌曲 №1.wma"));

  // Moves: the first row cannot go up, the last cannot go down.
  form->lvwFiles->SetItemIndex(0);
  form->btnMoveToUpClick(nullptr);
  EXPECT_EQ(Row(0), Src(L"a.wma"));
  form->lvwFiles->SetItemIndex(2);
  form->btnMoveToDownClick(nullptr);
  EXPECT_EQ(Row(2), Src(L"中文歌曲 №1.wma"));
  form->btnMoveToUpClick(nullptr);
  EXPECT_EQ(Row(1), Src(L"中文歌曲 №1.wma"));
  EXPECT_EQ(form->lvwFiles->ItemIndex(), 2) << "the selection stays where it was";
  form->lvwFiles->SetItemIndex(0);
  form->btnMoveToDownClick(nullptr);
  EXPECT_EQ(Row(0), Src(L"中文歌曲 №1.wma"));
  EXPECT_EQ(Row(1), Src(L"a.wma"));
  EXPECT_EQ(Row(5), L"") << "rows outside the list are not served";

  form->btnClear->Click();
  EXPECT_EQ(form->JobList.size(), 0u);
  EXPECT_EQ(form->lvwFiles->ItemCount(), 0);
}

TEST_F(MainWindowTest, UnreadableSourceIsAddedWithoutALength) {
  const auto start = std::chrono::steady_clock::now();
  Add(Src(L"corrupt.wma"));
  ASSERT_EQ(form->JobList.size(), 1u);
  EXPECT_EQ(form->JobList[0]->Duration, 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 10s)
      << "a probe that ends early ends the wait early";
}

TEST_F(MainWindowTest, OutputFolderComesOnlyFromTheBrowser) {
  chosen_folder = L"";
  form->Button8->Click();
  EXPECT_EQ(form->edtSaveDir->Text(), L"");
  chosen_folder = L"C:\\";
  form->Button8->Click();
  EXPECT_EQ(form->edtSaveDir->Text(), L"C:\\");
  ASSERT_EQ(folder_titles.size(), 2u);
  EXPECT_EQ(folder_titles[0], L"请选择文件");
  EXPECT_EQ(GetWindowLongPtrW(form->edtSaveDir->Handle(), GWL_STYLE) & ES_READONLY,
            static_cast<LONG_PTR>(ES_READONLY));
}

TEST_F(MainWindowTest, ConvertWithoutFolderOnlySaysSo) {
  Add(Src(L"b.wma"));
  form->btnConvert->Click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], L"请选择保存的文件夹");
  EXPECT_EQ(form->JobList[0]->Status, texts::kReady);
  EXPECT_TRUE(form->btnConvert->Enabled());
}

TEST_F(MainWindowTest, FolderThatCannotBeMadeShowsTheErrorAndStartsNothing) {
  Add(Src(L"b.wma"));
  chosen_folder = L"\\\\no-such-server\\share\\out\\";
  form->Button8->Click();
  form->btnConvert->Click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0],
            L"建立目录：\\\\no-such-server\\share\\out\\出错！\r\n\r\n请检查目录名是否正确。");
  EXPECT_EQ(form->JobList[0]->Status, texts::kReady);
  EXPECT_EQ(form->lblInfo->Caption(), texts::kReady);
}

TEST_F(MainWindowTest, BatchConvertsEveryJobInOrderAndMarksFailures) {
  const std::vector<std::wstring> names = {L"a.wma",           L"b.wma",         L"dup\\a.wma",
                                           L"中文歌曲 №1.wma", L"vanishing.wma", L"corrupt.wma"};
  for (const auto& n : names) Add(Src(n));
  ASSERT_EQ(form->JobList.size(), names.size());
  EXPECT_EQ(form->JobList[4]->Duration, 3);
  // A source that is gone by the time it is converted makes the encoder fail.
  ASSERT_TRUE(DeleteFileW(Src(L"vanishing.wma").c_str()));

  // Every position the window gives the bar, seen through the bar's own
  // message handler (the same hook the skin engine uses).
  std::vector<int> positions;
  TWndMethod previous = form->ProgressBar1->WindowProc;
  bool shot_taken = false;
  form->ProgressBar1->WindowProc = [&](TMessage& m) {
    if (m.Msg == PBM_SETPOS) positions.push_back(static_cast<int>(m.WParam));
    previous(m);
    if (m.Msg == PBM_SETPOS && m.WParam > 3 && !shot_taken) {
      // The first real progress: bring the screen up to date and keep a picture.
      RedrawWindow(form->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      SaveWindowShot(form->Handle(), MediaDir() + L"converting.bmp");
      shot_taken = true;
    }
  };
  const std::wstring folder = MediaDir() + L"out\\new\\deeper\\";
  chosen_folder = folder;
  form->Button8->Click();

  // Watch the bar, the list's state and the info text while the batch runs.
  auto& watch = OwnedComponent<TTimer>(app);
  watch.SetInterval(15);
  bool disabled_seen = false;
  std::vector<std::wstring> infos;
  watch.OnTimer = [&](TObject*) {
    if (!form->btnConvert->Enabled() && !form->GroupBox3->Enabled()) disabled_seen = true;
    const std::wstring info = form->lblInfo->Caption();
    if (infos.empty() || infos.back() != info) infos.push_back(info);
  };
  form->btnConvert->Click();
  watch.SetEnabled(false);
  form->ProgressBar1->WindowProc = previous;

  EXPECT_TRUE(disabled_seen);
  EXPECT_TRUE(form->btnConvert->Enabled());
  EXPECT_EQ(form->lblInfo->Caption(), L"转换完成（失败 2 个）")
      << "the summary counts the failures";
  EXPECT_EQ(form->ProgressBar1->Position(), 0);
  // The first job lasts 12 s: the bar climbs to its end, then drops to 0.
  ASSERT_FALSE(positions.empty());
  const auto climb = std::find_if(positions.begin(), positions.end(), [](int p) { return p > 0; });
  ASSERT_NE(climb, positions.end()) << "the bar never moved";
  const auto drop = std::find(climb, positions.end(), 0);
  const int first_job_peak = *std::max_element(climb, drop);
  EXPECT_GE(first_job_peak, 12) << "the bar follows the encoder up to the job's length";
  EXPECT_EQ(positions.back(), 0);
  ASSERT_GE(infos.size(), 2u);
  EXPECT_EQ(infos.front(), texts::kConverting + Src(L"a.wma"));

  const std::vector<std::wstring> expected_status = {texts::kDone, texts::kDone,   texts::kDone,
                                                     texts::kDone, texts::kFailed, texts::kFailed};
  const std::vector<std::wstring> expected_out = {
      L"a.mp3", L"b.mp3", L"a (2).mp3", L"中文歌曲 №1.mp3", L"vanishing.mp3", L"corrupt.mp3"};
  std::ofstream manifest(WideToUtf8(MediaDir()) + "manifest.txt", std::ios::binary);
  for (size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(form->JobList[i]->Status, expected_status[i]) << WideToUtf8(names[i]);
    EXPECT_EQ(Row(static_cast<int>(i), 1), expected_status[i]);
    ASSERT_EQ(form->LastOutputs()[i], folder + expected_out[i]);
    if (expected_status[i] == texts::kDone) {
      EXPECT_TRUE(FileExists(folder + expected_out[i])) << WideToUtf8(expected_out[i]);
      manifest << WideToUtf8(Src(names[i])) << '|' << WideToUtf8(folder + expected_out[i]) << '\n';
    } else {
      EXPECT_FALSE(FileExists(folder + expected_out[i]))
          << "a failed job leaves no file: " << WideToUtf8(expected_out[i]);
    }
  }
  EXPECT_TRUE(shot_taken);

  // The taskbar button: normal from the start, red from the first failed job
  // on, always moving forward, full at the end, then cleared.
  ASSERT_GE(taskbar_calls.size(), 4u);
  EXPECT_EQ(taskbar_calls.front(), "state " + std::to_string(TBPF_NORMAL));
  EXPECT_EQ(taskbar_calls[1], "value 0/6000");
  EXPECT_EQ(taskbar_calls.back(), "state " + std::to_string(TBPF_NOPROGRESS));
  EXPECT_EQ(taskbar_calls[taskbar_calls.size() - 2], "value 6000/6000");
  std::vector<std::string> states;
  unsigned long long last = 0;
  bool first_value = true;
  for (const std::string& call : taskbar_calls) {
    if (call.rfind("state ", 0) == 0) {
      states.push_back(call);
      if (call == "state " + std::to_string(TBPF_ERROR)) {
        EXPECT_GE(last, 4000u) << "the first failure is the fifth job";
      }
    } else {
      const unsigned long long value = std::stoull(call.substr(6));
      if (!first_value) {
        EXPECT_GT(value, last) << call;
      }
      first_value = false;
      last = value;
    }
  }
  EXPECT_EQ(states, (std::vector<std::string>{"state " + std::to_string(TBPF_NORMAL),
                                              "state " + std::to_string(TBPF_ERROR),
                                              "state " + std::to_string(TBPF_NOPROGRESS)}));
}

TEST_F(MainWindowTest, ReconvertingOverAnEarlierRunsFileIsIntended) {
  taskbar_present = false;  // as on a system without the taskbar interface
  const std::wstring folder = MediaDir() + L"out\\again\\";
  chosen_folder = folder;
  form->Button8->Click();
  Add(Src(L"b.wma"));
  form->btnConvert->Click();
  EXPECT_EQ(form->JobList[0]->Status, texts::kDone);
  form->btnConvert->Click();
  EXPECT_EQ(form->JobList[0]->Status, texts::kDone)
      << "end " << static_cast<int>(form->ConvertRunner->LastOutcome().end) << " code "
      << form->ConvertRunner->LastOutcome().exit_code << "\n"
      << form->ConvertRunner->Lines().Text();
  EXPECT_TRUE(FileExists(folder + L"b.mp3"));
  EXPECT_FALSE(FileExists(folder + L"b (2).mp3")) << "names collide only within one batch";
  EXPECT_EQ(form->lblInfo->Caption(), texts::kBatchDone);
  EXPECT_TRUE(taskbar_calls.empty());
}

TEST_F(MainWindowTest, ClosingDuringABatchStopsItRemovesThePartialFileAndCloses) {
  const std::wstring folder = MediaDir() + L"out\\stopped\\";
  chosen_folder = folder;
  form->Button8->Click();
  Add(Src(L"long.wma"));
  Add(Src(L"b.wma"));
  ASSERT_EQ(form->JobList[0]->Duration, 600);

  // Once the encoder has written part of the file, the user closes the
  // window and answers "No" first, then "Yes".
  auto& closer = OwnedComponent<TTimer>(app);
  closer.SetInterval(50);
  int close_requests = 0;
  bool partial_seen = false;
  closer.OnTimer = [&](TObject*) {
    if (!FileExists(folder + L"long.mp3") || form->ProgressBar1->Position() < 5) return;
    partial_seen = true;
    answer = close_requests == 0 ? IDNO : IDYES;
    ++close_requests;
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
    if (close_requests == 2) closer.SetEnabled(false);
  };
  form->btnConvert->Click();
  closer.SetEnabled(false);
  ASSERT_TRUE(partial_seen);
  EXPECT_EQ(close_requests, 2);
  EXPECT_EQ(messages.size(), 2u);
  // The pending close arrives as a message after the batch handler returned.
  PumpUntil(
      app, [&] { return !IsWindowVisible(form->Handle()); }, 5s);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_FALSE(FileExists(folder + L"long.mp3")) << "the partial file is removed";
  EXPECT_FALSE(FileExists(folder + L"b.mp3")) << "the batch does not go on after a stop";
  EXPECT_TRUE(form->JobList.empty()) << "closing released the jobs";
  EXPECT_FALSE(form->ConvertRunner->IsRunning());
}

}  // namespace
