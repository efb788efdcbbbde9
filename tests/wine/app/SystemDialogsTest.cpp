// The system's own file dialog and folder browser, driven from a second
// thread as a person would use them: the window takes what they give.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "tests/wine/app/DialogDriver.h"
#include "tests/wine/app/StandInFixture.h"

namespace {

using namespace std::chrono_literals;
namespace dd = dialog_driver;

class SystemDialogsTest : public StandInTest {
 protected:
  SystemDialogsTest() : StandInTest(true) {}
};

// Sends a command to the dialog and waits until it has been handled, so what
// is typed next is not taken before it.
void PressOkAndWait(HWND dialog) {
  SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                      reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)), SMTO_NORMAL, 5000,
                      nullptr);
}

TEST_F(SystemDialogsTest, SeveralFilesAreChosenAtOnceInTheFileDialog) {
  const std::wstring c = Source(L"pick\\c.wma", GoodSource(3));
  const std::wstring a = Source(L"pick\\a.wma", GoodSource(1));
  const std::wstring b = Source(L"pick\\\u4E2D\u6587.wma", GoodSource(2));
  bool typed = false;
  std::thread person([&] {
    HWND dialog = dd::WaitForDialog(GetCurrentProcessId(), 15s);
    if (!dialog) return;
    // Into the folder first, then the three names at once.
    dd::TypeFileName(dialog, root + L"src\\pick\\");
    PressOkAndWait(dialog);
    typed = dd::TypeFileName(dialog, L"\"c.wma\" \"a.wma\" \"\u4E2D\u6587.wma\"");
    if (typed) {
      dd::PressOk(dialog);
    } else {
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
  });
  form->btnAdd->Click();
  person.join();
  ASSERT_TRUE(typed) << "the dialog's name box was not found";
  EXPECT_EQ(Rows(), (std::vector<std::wstring>{c, a, b}));
  ASSERT_EQ(form->JobList.size(), 3u);
  EXPECT_EQ(form->JobList[2]->Duration, 2);
}

TEST_F(SystemDialogsTest, AFolderIsChosenInTheFolderBrowser) {
  const std::wstring one = Source(L"browse\\1.wma", GoodSource(1));
  const std::wstring two = Source(L"browse\\deeper\\2.wma", GoodSource(2));
  bool selected = false;
  std::thread person([&] {
    HWND dialog = dd::WaitForDialog(GetCurrentProcessId(), 15s);
    if (!dialog) return;
    selected = dd::SelectFolder(dialog, root + L"src\\browse");
    PressOkAndWait(dialog);
  });
  form->btnAddFolder->Click();
  person.join();
  ASSERT_TRUE(selected);
  EXPECT_EQ(Rows(), (std::vector<std::wstring>{one, two}));
}

}  // namespace
