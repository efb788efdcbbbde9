// Adding a folder with several duration probes at once: the rows come in
// the order of the folder walk whichever probe ends first, each with its own
// length, no more players run at once than the machine has processors, and
// Esc keeps exactly the files added before it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/MainTexts.h"
#include "framework/Timer.h"
#include "tests/wine/app/RunCount.h"
#include "tests/wine/app/StandInFixture.h"

namespace {

class ParallelProbeTest : public StandInTest {
 protected:
  // Forty files f00.wma … f39.wma, the probe of file i printing the length
  // i + 1 after a pause that makes later files end before earlier ones; the
  // first `meet` wait until that many players run at once, and the probe of
  // file `slow` takes a second longer.
  std::vector<std::wstring> Folder(const std::wstring& counter, int pause_ms, int meet,
                                   int slow = -1) {
    std::vector<std::wstring> files;
    for (int i = 0; i < 40; ++i) {
      wchar_t name[32];
      wsprintfW(name, L"folder\\f%02d.wma", i);
      std::string steps = "count:" + WideToUtf8(counter) + "\n";
      if (i < meet) steps += "meet:" + std::to_string(meet) + "\n";
      steps += "sleep:" + std::to_string(pause_ms * (4 - i % 4) + (i == slow ? 1000 : 0)) + "\n";
      // A probe that has answered is done with: the next may start while
      // this one is still on its way out.
      steps += "uncount\n";
      steps += "out:ID_LENGTH=" + std::to_string(i + 1) + ".5\\n\n";
      files.push_back(Source(name, steps));
    }
    return files;
  }
};

TEST_F(ParallelProbeTest, AFolderIsProbedSeveralAtOnceAndItsRowsComeInPathOrder) {
  form->SetLogicalProcessors(4);
  const TRunCount count(L"tonmill-probes");
  const std::vector<std::wstring> files = Folder(L"tonmill-probes", 60, 4);
  AddFolder(root + L"src\\folder\\");
  EXPECT_EQ(Rows(), files);
  ASSERT_EQ(form->JobList.size(), files.size());
  for (size_t i = 0; i < files.size(); ++i) {
    EXPECT_EQ(form->JobList[i]->Duration, static_cast<int>(i) + 1) << WideToUtf8(files[i]);
    EXPECT_EQ(Row(static_cast<int>(i), 1), texts::kReady);
  }
  EXPECT_EQ(count.Most(), 4) << "the players that ran at once";
  EXPECT_EQ(form->lblInfo->Caption(), texts::kReady);
  EXPECT_TRUE(messages.empty());
  EXPECT_FALSE(form->Busy());
}

TEST_F(ParallelProbeTest, EscAfterAFewKeepsExactlyTheFilesAddedBeforeIt) {
  form->SetLogicalProcessors(4);
  const std::vector<std::wstring> files = Folder(L"tonmill-probes-esc", 40, 0, 4);
  auto& presser = OwnedComponent<TTimer>(app);
  presser.SetInterval(10);
  bool pressed = false;
  presser.OnTimer = [&](TObject*) {
    if (pressed || form->lblInfo->Caption() != L"正在读取 5/40：f04.wma") return;
    pressed = true;
    PostMessageW(form->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
  };
  AddFolder(root + L"src\\folder\\");
  presser.SetEnabled(false);
  ASSERT_TRUE(pressed);
  EXPECT_EQ(Rows(), std::vector<std::wstring>(files.begin(), files.begin() + 5));
  for (size_t i = 0; i < form->JobList.size(); ++i) {
    EXPECT_EQ(form->JobList[i]->Duration, static_cast<int>(i) + 1);
  }
  EXPECT_EQ(form->lblInfo->Caption(), texts::kStopped);
  EXPECT_FALSE(form->Busy());
  EXPECT_FALSE(form->ProbeRunner->IsRunning());
  // The next add reads again.
  AddFiles({files[39]});
  ASSERT_EQ(form->JobList.size(), 6u);
  EXPECT_EQ(form->JobList[5]->Duration, 40);
}

}  // namespace
