// Adding many files to the main window: several at once from the dialog, a
// whole folder, files and folders dropped on the window, stopping with Esc,
// deleting several rows, and what happens when a helper program is missing.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cwchar>
#include <string>
#include <vector>

#include "app/MainTexts.h"
#include "app/StatusText.h"
#include "framework/Timer.h"
#include "tests/wine/app/StandInFixture.h"

namespace {

using namespace std::chrono_literals;

// Hands `paths` to the window the way Explorer's drop does: a DROPFILES block
// in WM_DROPFILES, which the window releases.
void PostDrop(HWND target, const std::vector<std::wstring>& paths) {
  size_t chars = 1;
  for (const std::wstring& p : paths) chars += p.size() + 1;
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  auto* at = reinterpret_cast<wchar_t*>(drop + 1);
  for (const std::wstring& p : paths) {
    p.copy(at, p.size());
    at += p.size() + 1;
  }
  GlobalUnlock(memory);
  PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

// Presses a key where the keyboard focus is, as the user would.
void PressKey(HWND fallback, WORD key) {
  HWND target = GetFocus() ? GetFocus() : fallback;
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

bool SamePixels(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

class AddingFilesTest : public StandInTest {
 protected:
  // Records every text lblInfo shows while the window works.
  void WatchInfo() {
    auto& watch = OwnedComponent<TTimer>(app);
    watch.SetInterval(10);
    watch.OnTimer = [this](TObject*) {
      const std::wstring info = form->lblInfo->Caption();
      if (infos.empty() || infos.back() != info) infos.push_back(info);
    };
  }
  std::vector<std::wstring> infos;

  // A folder of 20 folders of 99 empty WMA files and one text file each, made
  // once for the tests that walk it and removed after the last of them.
  static std::wstring LargeTree() {
    if (!large_tree_.empty()) return large_tree_;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring tree = std::wstring(temp) + L"tonmill-large-tree\\";
    RemoveTree(tree);
    CreateDirectoryW(tree.c_str(), nullptr);
    for (int f = 0; f < 20; ++f) {
      const std::wstring folder = tree + L"d" + std::to_wstring(f) + L"\\";
      CreateDirectoryW(folder.c_str(), nullptr);
      for (int i = 0; i < 100; ++i) {
        const std::wstring name = folder + std::to_wstring(i) + (i == 0 ? L".txt" : L".wma");
        CloseHandle(
            CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
      }
    }
    large_tree_ = tree;
    return tree;
  }
  static void TearDownTestSuite() {
    if (!large_tree_.empty()) RemoveTree(large_tree_);
    large_tree_.clear();
  }
  static inline std::wstring large_tree_;
};

TEST_F(AddingFilesTest, SeveralFilesFromTheDialogAreReadInTheDialogsOrderWithProgress) {
  const std::wstring c = Source(L"c.wma", GoodSource(3, "sleep:150\n"));
  const std::wstring a = Source(L"a.wma", GoodSource(1, "sleep:150\n"));
  const std::wstring b = Source(L"\u4E2D\u6587 \u03A9\u2603.wma", GoodSource(2, "sleep:150\n"));
  WatchInfo();
  AddFiles({c, a, b});
  EXPECT_EQ(Rows(), (std::vector<std::wstring>{c, a, b}));
  ASSERT_EQ(form->JobList.size(), 3u);
  EXPECT_EQ(form->JobList[0]->Duration, 3);
  EXPECT_EQ(form->JobList[1]->Duration, 1);
  EXPECT_EQ(form->JobList[2]->Duration, 2) << "a name outside the code page is probed too";
  EXPECT_EQ(Row(2, 1), texts::kReady);
  const std::vector<std::wstring> reading = {L"正在读取 1/3：c.wma", L"正在读取 2/3：a.wma",
                                             L"正在读取 3/3：\u4E2D\u6587 \u03A9\u2603.wma"};
  // The files are read several at once: the line names the first file not
  // yet in the list, so what it showed is the dialog's order, from the first.
  std::vector<std::wstring> seen;
  for (const std::wstring& info : infos)
    if (info.rfind(L"正在读取", 0) == 0) seen.push_back(info);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), reading.front());
  auto at = reading.begin();
  for (const std::wstring& info : seen) {
    at = std::find(at, reading.end(), info);
    EXPECT_NE(at, reading.end()) << "out of order: " << WideToUtf8(info);
  }
  EXPECT_EQ(form->lblInfo->Caption(), texts::kReady);
  EXPECT_TRUE(messages.empty());
}

TEST_F(AddingFilesTest, AFolderAddsItsWmaFilesBelowItSortedByPathAndCountsTheRest) {
  const std::wstring folder = root + L"src\\tree\\";
  const std::vector<std::wstring> wma = {L"A.WMA",      L"b.wma",
                                         L"sub\\c.wma", L"sub\\deeper\\d.Wma",
                                         L"sub.wma",    L"z\\\u4E2D\u6587 \u2116\u2603.wma"};
  // Written in another order than the expected one.
  for (auto it = wma.rbegin(); it != wma.rend(); ++it) Source(L"tree\\" + *it, GoodSource(4));
  Source(L"tree\\notes.txt", "not audio");
  Source(L"tree\\sub\\cover.jpg", "not audio");
  AddFolder(folder);
  std::vector<std::wstring> expected;
  for (const std::wstring& name : wma) expected.push_back(folder + name);
  EXPECT_EQ(Rows(), expected);
  for (const auto& job : form->JobList) EXPECT_EQ(job->Duration, 4);
  EXPECT_EQ(form->lblInfo->Caption(), L"已跳过 2 个非 WMA 文件");
  // A cancelled browser adds nothing.
  form->btnAddFolder->Click();
  EXPECT_EQ(form->JobList.size(), wma.size());
}

TEST_F(AddingFilesTest, ALongFolderWalkCountsWhatItFindsAndStopsAtEsc) {
  const std::wstring tree = LargeTree();
  // A slow disk: the walk takes some seconds. Without the probe an add that
  // was not stopped ends soon after.
  form->WalkPace = [] { Sleep(2); };
  UseHelpers(false, true);
  WatchInfo();
  // The window's own clock keeps ticking while the folders are walked: Esc
  // comes as soon as the count shows.
  bool pressed = false;
  auto& presser = OwnedComponent<TTimer>(app);
  presser.SetInterval(20);
  presser.OnTimer = [&](TObject*) {
    const std::wstring info = form->lblInfo->Caption();
    if (pressed || info.rfind(L"正在查找：", 0) != 0) return;
    // The watch may not have ticked since the count showed: what is seen
    // here counts as seen.
    if (infos.empty() || infos.back() != info) infos.push_back(info);
    SaveShot(form->Handle(), "folder-walk");
    PressKey(form->Handle(), VK_ESCAPE);
    pressed = true;
  };
  AddFolder(tree);
  presser.SetEnabled(false);
  EXPECT_TRUE(pressed) << "the count did not change while the window could be watched";
  // The counts shown, each of the form "正在查找：n 个文件", climb.
  std::vector<long> counts;
  for (const std::wstring& info : infos) {
    if (info.rfind(L"正在查找：", 0) != 0) continue;
    wchar_t* end = nullptr;
    counts.push_back(std::wcstol(info.c_str() + 5, &end, 10));
    EXPECT_STREQ(end, L" 个文件") << WideToUtf8(info);
  }
  ASSERT_GE(counts.size(), 1u);
  EXPECT_TRUE(std::is_sorted(counts.begin(), counts.end()));
  EXPECT_GT(counts.back(), 0);
  EXPECT_LT(counts.back(), 20 * 99) << "the walk stopped before its end";
  EXPECT_TRUE(form->JobList.empty()) << "a stopped walk adds nothing";
  EXPECT_EQ(form->lblInfo->Caption(), texts::kStopped);
  EXPECT_FALSE(form->Busy());
}

TEST_F(AddingFilesTest, TheWalksCountIsDrawnUnderEverySkin) {
  const std::wstring tree = LargeTree();
  form->WalkPace = [] { Sleep(2); };
  UseHelpers(false, true);
  const char* const names[] = {"meadow", "nightfall", "daylight", "contrast", "ember"};
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(names[skin]);
    form->SkinData1->LoadFromSkinStore(form->SkinStore1, skin);
    PumpUntil(
        app, [] { return false; }, 1000ms);
    RECT box{};
    GetWindowRect(form->GroupBox2->Handle(), &box);
    const TBitmap idle = Capture(box);
    bool drawn = false;
    auto& watcher = OwnedComponent<TTimer>(app);
    watcher.SetInterval(20);
    watcher.OnTimer = [&](TObject*) {
      if (form->lblInfo->Caption().rfind(L"正在查找：", 0) != 0) return;
      watcher.SetEnabled(false);
      // Let the label paint, then look at the progress group as the user does.
      UpdateWindow(form->Handle());
      RedrawWindow(form->GroupBox2->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      drawn = !SamePixels(Capture(box), idle);
      SaveShot(form->Handle(), std::string("folder-walk-") + names[skin]);
      PressKey(form->Handle(), VK_ESCAPE);
    };
    AddFolder(tree);
    watcher.SetEnabled(false);
    EXPECT_TRUE(drawn) << "the status line looked the same while the folders were walked";
    EXPECT_TRUE(form->JobList.empty());
  }
}

TEST_F(AddingFilesTest, ClosingDuringALongFolderWalkClosesTheWindowWithoutAdding) {
  const std::wstring tree = LargeTree();
  form->WalkPace = [] { Sleep(2); };
  UseHelpers(false, true);
  auto& closer = OwnedComponent<TTimer>(app);
  closer.SetInterval(20);
  closer.OnTimer = [&](TObject*) {
    const std::wstring info = form->lblInfo->Caption();
    if (info.rfind(L"正在查找：", 0) != 0) return;
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
    closer.SetEnabled(false);
  };
  AddFolder(tree);
  closer.SetEnabled(false);
  PumpUntil(
      app, [&] { return !IsWindowVisible(form->Handle()); }, 5s);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_TRUE(form->JobList.empty());
  EXPECT_TRUE(form->ProbeRunner->CommandLine().empty()) << "no file of the walk was probed";
}

TEST_F(AddingFilesTest, TheFolderButtonSitsInTheRowOfTheOtherThree) {
  EXPECT_EQ(form->btnAddFolder->Caption(), L"添加目录");
  EXPECT_EQ(form->btnAddFolder->Parent(), form->btnAdd->Parent());
  EXPECT_EQ(form->btnAddFolder->Width(), form->btnClear->Width());
  EXPECT_EQ(form->btnAddFolder->Height(), form->btnClear->Height());
  EXPECT_EQ(form->btnAddFolder->Top(), form->btnClear->Top());
  EXPECT_EQ(form->btnAddFolder->Left() - form->btnClear->Left(),
            form->btnClear->Left() - form->btnDelete->Left());
}

TEST_F(AddingFilesTest, ADropOfFilesAndAFolderIsAddedInTheDropsOrder) {
  const std::wstring x = Source(L"x.wma", GoodSource(1));
  const std::wstring y = Source(L"\u00C4rger.WMA", GoodSource(2));
  const std::wstring folder = root + L"src\\dropped";
  const std::wstring f1 = Source(L"dropped\\2.wma", GoodSource(3));
  const std::wstring f2 = Source(L"dropped\\1\\\u266B.wma", GoodSource(3));
  const std::wstring text = Source(L"readme.txt", "not audio");
  EXPECT_TRUE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES)
      << "the idle window takes drops";
  PostDrop(form->Handle(), {x, folder, text, y});
  ASSERT_TRUE(PumpUntil(
      app, [&] { return form->JobList.size() == 4 && !form->Busy(); }, 20s));
  EXPECT_EQ(Rows(), (std::vector<std::wstring>{x, f2, f1, y}));
  EXPECT_EQ(form->JobList[3]->Duration, 2);
  EXPECT_EQ(form->lblInfo->Caption(), L"已跳过 1 个非 WMA 文件") << "a dropped non-WMA file";
}

TEST_F(AddingFilesTest, DropsAreRefusedWhileTheWindowReads) {
  const std::wstring slow = Source(L"slow.wma", GoodSource(1, "sleep:600\n"));
  const std::wstring other = Source(L"other.wma", GoodSource(1));
  auto& dropper = OwnedComponent<TTimer>(app);
  dropper.SetInterval(100);
  bool accepted_while_busy = true;
  dropper.OnTimer = [&](TObject*) {
    if (!form->Busy()) return;
    accepted_while_busy = GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES;
    PostDrop(form->Handle(), {other});
    dropper.SetEnabled(false);
  };
  AddFiles({slow});
  dropper.SetEnabled(false);
  app.ProcessMessages();
  EXPECT_FALSE(accepted_while_busy);
  EXPECT_EQ(Rows(), (std::vector<std::wstring>{slow})) << "the drop during the read was refused";
  EXPECT_TRUE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST_F(AddingFilesTest, EscWhileReadingStopsAfterTheCurrentFileAndKeepsWhatWasAdded) {
  std::vector<std::wstring> files;
  // Several files are read at once: the first is quick, so the line names
  // the second for a good while.
  for (int i = 1; i <= 5; ++i) {
    files.push_back(Source(L"esc" + std::to_wstring(i) + L".wma",
                           GoodSource(i, i == 1 ? "sleep:50\n" : "sleep:600\n")));
  }
  auto& presser = OwnedComponent<TTimer>(app);
  presser.SetInterval(20);
  presser.OnTimer = [&](TObject*) {
    if (form->lblInfo->Caption() != L"正在读取 2/5：esc2.wma") return;
    PressKey(form->Handle(), VK_ESCAPE);
    presser.SetEnabled(false);
  };
  AddFiles(files);
  presser.SetEnabled(false);
  ASSERT_EQ(Rows(), (std::vector<std::wstring>{files[0], files[1]}));
  EXPECT_EQ(form->JobList[1]->Duration, 2) << "the file being read when Esc came is kept whole";
  EXPECT_EQ(form->lblInfo->Caption(), texts::kStopped);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  // The next add reads everything again.
  AddFiles({files[4]});
  EXPECT_EQ(form->JobList.size(), 3u);
}

TEST_F(AddingFilesTest, ClosingWhileReadingStopsTheReadAndClosesTheWindow) {
  std::vector<std::wstring> files;
  for (int i = 1; i <= 4; ++i) {
    files.push_back(Source(L"close" + std::to_wstring(i) + L".wma",
                           GoodSource(i, i == 1 ? "sleep:50\n" : "sleep:600\n")));
  }
  auto& closer = OwnedComponent<TTimer>(app);
  closer.SetInterval(20);
  closer.OnTimer = [&](TObject*) {
    if (form->lblInfo->Caption() != L"正在读取 2/4：close2.wma") return;
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
    closer.SetEnabled(false);
  };
  AddFiles(files);
  // The players run a file ahead at most: none was started for the last file.
  int runners = 0;
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* runner = dynamic_cast<TDosCommand*>(form->Components(i));
    if (!runner || runner->Name().rfind("ProbeRunner", 0) != 0) continue;
    ++runners;
    EXPECT_EQ(runner->CommandLine().find(L"close4.wma"), std::wstring::npos)
        << "the files after the one being read were not read";
    EXPECT_FALSE(runner->IsRunning());
  }
  EXPECT_GE(runners, 1);
  PumpUntil(
      app, [&] { return !IsWindowVisible(form->Handle()); }, 5s);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_FALSE(form->ProbeRunner->IsRunning());
}

TEST_F(AddingFilesTest, SeveralSelectedRowsGoWithTheDeleteKeyOrTheButton) {
  std::vector<std::wstring> files;
  for (int i = 0; i < 6; ++i) files.push_back(Source(std::to_wstring(i) + L".wma", GoodSource(i)));
  AddFiles(files);
  ASSERT_EQ(form->lvwFiles->ItemCount(), 6);
  EXPECT_FALSE(GetWindowLongPtrW(form->lvwFiles->Handle(), GWL_STYLE) & LVS_SINGLESEL);
  form->lvwFiles->SelectIndexes({0, 2, 3});
  EXPECT_EQ(form->lvwFiles->SelectedIndexes(), (std::vector<int>{0, 2, 3}));
  SetFocus(form->lvwFiles->Handle());
  PressKey(form->lvwFiles->Handle(), VK_DELETE);
  app.ProcessMessages();
  EXPECT_EQ(Rows(), (std::vector<std::wstring>{files[1], files[4], files[5]}));
  EXPECT_TRUE(form->lvwFiles->SelectedIndexes().empty()) << "no row inherits a selection";
  form->lvwFiles->SelectIndexes({0, 2});
  form->btnDelete->Click();
  EXPECT_EQ(Rows(), (std::vector<std::wstring>{files[4]}));
  form->btnDelete->Click();  // nothing selected: nothing goes
  EXPECT_EQ(form->JobList.size(), 1u);
}

TEST_F(AddingFilesTest, WithoutTheProbeFilesAreAddedAfterOneMessage) {
  UseHelpers(false, true);
  const std::vector<std::wstring> files = {Source(L"p1.wma", GoodSource(1)),
                                           Source(L"p2.wma", GoodSource(2)),
                                           Source(L"p3.wma", GoodSource(3))};
  AddFiles(files);
  ASSERT_EQ(messages.size(), 1u) << "said once for the whole add";
  EXPECT_EQ(messages[0].rfind(L"找不到 mplayer.exe：" + helpers + L"mplayer.exe", 0), 0u)
      << WideToUtf8(messages[0]);
  EXPECT_EQ(Rows(), files);
  for (const auto& job : form->JobList) EXPECT_EQ(job->Duration, 0);
}

TEST_F(AddingFilesTest, WithoutTheEncoderTheBatchDoesNotStart) {
  UseHelpers(true, false);
  AddFiles({Source(L"e.wma", GoodSource(1))});
  chosen_folder = root + L"out\\";
  form->Button8->Click();
  form->btnConvert->Click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind(L"找不到 ffmpeg.exe：" + helpers + L"ffmpeg.exe", 0), 0u)
      << WideToUtf8(messages[0]);
  EXPECT_EQ(form->JobList[0]->Status, texts::kReady);
  EXPECT_EQ(form->lblInfo->Caption(), texts::kReady);
  EXPECT_FALSE(FolderExists(root + L"out\\")) << "nothing was made for a batch that cannot run";
  EXPECT_TRUE(taskbar_calls.empty());
}

TEST_F(AddingFilesTest, HelpersThatCannotBeStartedAreNamedOnce) {
  // Files of the helpers' names that are no programs.
  WriteTextFile(helpers + L"mplayer.exe", "not a program");
  WriteTextFile(helpers + L"ffmpeg.exe", "not a program");
  const std::vector<std::wstring> files = {Source(L"s1.wma", GoodSource(1)),
                                           Source(L"s2.wma", GoodSource(2))};
  AddFiles(files);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind(L"无法启动 mplayer.exe：" + helpers + L"mplayer.exe", 0), 0u)
      << WideToUtf8(messages[0]);
  EXPECT_EQ(Rows(), files);
  chosen_folder = root + L"out\\";
  form->Button8->Click();
  form->btnConvert->Click();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1].rfind(L"无法启动 ffmpeg.exe：" + helpers + L"ffmpeg.exe", 0), 0u)
      << WideToUtf8(messages[1]);
  EXPECT_EQ(form->JobList[0]->Status, texts::kFailed);
  EXPECT_EQ(form->JobList[1]->Status, texts::kReady) << "the batch stopped at the first job";
  EXPECT_EQ(form->lblInfo->Caption(), texts::kStopped);
}

TEST_F(AddingFilesTest, VanishedFilesAreAddedWithoutALengthAndAnUnreadableFolderAddsNothing) {
  const std::wstring kept = Source(L"kept.wma", GoodSource(6));
  const std::wstring gone = root + L"src\\gone.wma";
  AddFiles({kept, gone});
  EXPECT_EQ(Rows(), (std::vector<std::wstring>{kept, gone}));
  EXPECT_EQ(form->JobList[1]->Duration, 0);
  EXPECT_TRUE(messages.empty());

  AddFolder(root + L"src\\no such folder\\");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind(L"无法读取目录：" + root + L"src\\no such folder\\", 0), 0u)
      << WideToUtf8(messages[0]);
  EXPECT_EQ(form->JobList.size(), 2u);
}

}  // namespace
