// What a new user meets first: the version the boxes name, a batch of an
// empty list, the row being converted, and an add that fails part way.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "app/MainTexts.h"
#include "framework/Timer.h"
#include "tests/wine/app/DialogDriver.h"
#include "tests/wine/app/StandInFixture.h"

namespace {

using namespace std::chrono_literals;
namespace dd = dialog_driver;

using FirstUseTest = StandInTest;

class SystemBoxesTest : public StandInTest {
 protected:
  SystemBoxesTest() : StandInTest(TPickers::Answered, true) {}
};

TEST_F(SystemBoxesTest, MessageBoxesNameTheVersionAndContactOfTheWindowCaption) {
  // As the program entry titles the application.
  app.SetTitle(texts::kTitle);
  std::wstring box_caption;
  std::wstring box_text;
  std::thread person([&] {
    HWND box = dd::WaitForDialog(GetCurrentProcessId(), 15s);
    if (!box) return;
    box_caption = dd::TextOf(box);
    HWND label = GetDlgItem(box, 0xFFFF);  // the static that holds a box's text
    if (label) box_text = dd::TextOf(label);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  form->btnConvert->Click();
  person.join();
  wchar_t caption[256] = {};
  GetWindowTextW(form->Handle(), caption, static_cast<int>(std::size(caption)));
  const std::wstring window = caption;
  ASSERT_EQ(window.rfind(L"Tonmill v", 0), 0u) << WideToUtf8(window);
  // "Tonmill v2.2 - …" on the window is "Tonmill 2.2 - …" on its boxes.
  EXPECT_EQ(box_caption, L"Tonmill " + window.substr(9)) << WideToUtf8(box_caption);
  EXPECT_FALSE(box_text.empty());
}

TEST_F(FirstUseTest, ConvertingAnEmptyListSaysSoAndNeitherMakesTheFolderNorClaimsDone) {
  AddFiles({Source(L"once.wma", GoodSource(1))});
  chosen_folder = root + L"out\\";
  form->Button8->Click();
  form->btnConvert->Click();
  ASSERT_EQ(form->lblInfo->Caption(), texts::kBatchDone);
  form->btnClear->Click();
  // Another output folder, so a folder made by the empty batch would show.
  chosen_folder = root + L"second out\\";
  form->Button8->Click();
  messages.clear();
  const size_t taskbar_before = taskbar_calls.size();
  form->btnConvert->Click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find(L"没有文件"), std::wstring::npos) << WideToUtf8(messages[0]);
  EXPECT_NE(form->lblInfo->Caption(), texts::kBatchDone) << "no batch ran";
  EXPECT_FALSE(FolderExists(root + L"second out\\"));
  EXPECT_TRUE(form->btnConvert->Enabled());
  EXPECT_EQ(taskbar_calls.size(), taskbar_before) << "the taskbar button showed no batch";
}

TEST_F(FirstUseTest, TheRowBeingConvertedSaysSoAndOnlyItDoes) {
  const std::vector<std::wstring> files = {Source(L"r1.wma", GoodSource(1, "sleep:400\n")),
                                           Source(L"r2.wma", GoodSource(1, "sleep:400\n"))};
  AddFiles(files);
  chosen_folder = root + L"out\\";
  form->Button8->Click();
  // What the two rows say whenever the bar's text names a file.
  std::vector<std::wstring> seen;
  auto& watch = OwnedComponent<TTimer>(app);
  watch.SetInterval(20);
  watch.OnTimer = [&](TObject*) {
    const std::wstring info = form->lblInfo->Caption();
    if (info.rfind(texts::kConverting, 0) != 0) return;
    const std::wstring rows = info.substr(info.size() - 6) + L": " + Row(0, 1) + L" / " + Row(1, 1);
    if (seen.empty() || seen.back() != rows) seen.push_back(rows);
  };
  form->btnConvert->Click();
  watch.SetEnabled(false);
  EXPECT_EQ(seen,
            (std::vector<std::wstring>{L"r1.wma: 转换中 / 准备就绪", L"r2.wma: 完成 / 转换中"}));
  EXPECT_EQ(Row(0, 1), texts::kDone);
  EXPECT_EQ(Row(1, 1), texts::kDone);
}

TEST_F(FirstUseTest, AFailureOfAnyKindWhileAddingIsSaidInABoxAndKeepsTheRowsAdded) {
  const std::wstring one = Source(L"one.wma", GoodSource(1));
  const std::wstring two = Source(L"two.wma", GoodSource(2));
  const std::wstring bad = Source(L"bad.wma", "out:ID_LENGTH=1.2.3\\n\n");
  const std::wstring three = Source(L"three.wma", GoodSource(3));
  // Telling the user about the bad length runs out of memory.
  bool thrown = false;
  on_message = [&](const std::wstring&) {
    if (thrown) return;
    thrown = true;
    throw std::bad_alloc();
  };
  EXPECT_NO_THROW(AddFiles({one, two, bad, three}));
  EXPECT_TRUE(thrown);
  EXPECT_EQ(Rows(), (std::vector<std::wstring>{one, two}));
  EXPECT_EQ(form->JobList.size(), 2u);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_NE(messages[1].find(L"内存不足"), std::wstring::npos) << WideToUtf8(messages[1]);
  EXPECT_FALSE(form->Busy());
  EXPECT_FALSE(form->ProbeRunner->IsRunning());
  EXPECT_TRUE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  // The window goes on: the next add works.
  AddFiles({three});
  EXPECT_EQ(Rows(), (std::vector<std::wstring>{one, two, three}));
  EXPECT_EQ(form->JobList[2]->Duration, 3);
}

}  // namespace
