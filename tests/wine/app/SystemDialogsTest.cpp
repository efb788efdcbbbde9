// The system's own file dialog, folder picker and (where there is no picker)
// folder browser, driven from a second thread as a person would use them:
// the window takes what they give.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "app/MainTexts.h"
#include "tests/wine/app/DialogDriver.h"
#include "tests/wine/app/StandInFixture.h"

namespace {

using namespace std::chrono_literals;
namespace dd = dialog_driver;

class SystemDialogsTest : public StandInTest {
 protected:
  SystemDialogsTest() : StandInTest(TPickers::System) {}
};

class FolderBrowserTest : public StandInTest {
 protected:
  FolderBrowserTest() : StandInTest(TPickers::SystemFolderBrowser) {}
};

// Sends a command to the dialog and waits until it has been handled, so what
// is typed next is not taken before it.
void PressOkAndWait(HWND dialog) {
  SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                      reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)), SMTO_NORMAL, 5000,
                      nullptr);
}

// What a person sees of one folder picker and does in it.
struct TPickerVisit {
  std::wstring title;     // the dialog's caption
  bool has_list = false;  // a list of the folder's contents (the old browser has none)
  bool listed = false;    // the entry looked for is in that list
  bool typed = false;     // the path went into the dialog's name box
  bool closed = false;    // the dialog went once confirmed
};

// The names the picker lists (the folder it shows).
std::vector<std::wstring> ListedNames(HWND list) {
  std::vector<std::wstring> names;
  const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[MAX_PATH] = {};
    LVITEMW item{};
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    names.emplace_back(text);
  }
  return names;
}

// Waits for the folder picker, looks for `entry` among what it lists where it
// opened, types `path` into its name box and confirms.
TPickerVisit UsePicker(const std::wstring& path, const std::wstring& entry = L"") {
  TPickerVisit visit;
  HWND dialog = dd::WaitForDialog(GetCurrentProcessId(), 15s);
  if (!dialog) return visit;
  visit.title = dd::TextOf(dialog);
  HWND list = dd::FindChild(dialog, [](HWND h) { return dd::ClassOf(h) == L"SysListView32"; });
  visit.has_list = list != nullptr;
  if (list && !entry.empty()) {
    visit.listed = dd::WaitUntil(
        [&] {
          const std::vector<std::wstring> names = ListedNames(list);
          return std::find(names.begin(), names.end(), entry) != names.end();
        },
        3s);
  }
  // Once the picker has drawn itself, for a person to look at.
  std::this_thread::sleep_for(300ms);
  SaveShot(dialog, "folder-picker");
  visit.typed = dd::TypeFileName(dialog, path);
  if (visit.typed) dd::PressOk(dialog);
  visit.closed = dd::WaitUntil([&] { return !IsWindow(dialog); }, 5s);
  if (!visit.closed) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  return visit;
}

TEST_F(SystemDialogsTest, AFolderPathIsTypedIntoThePickerAndTheOutputPickerOpensThere) {
  const std::wstring one = Source(L"typed\\1.wma", GoodSource(1));
  const std::wstring two = Source(L"typed\\deeper\\2.wma", GoodSource(2));
  TPickerVisit visit;
  std::thread person([&] { visit = UsePicker(root + L"src\\typed"); });
  form->btnAddFolder->Click();
  person.join();
  EXPECT_EQ(visit.title, texts::kAddFolderTitle);
  EXPECT_TRUE(visit.has_list) << "the old folder browser was shown";
  ASSERT_TRUE(visit.typed) << "the picker's name box was not found";
  EXPECT_TRUE(visit.closed);
  EXPECT_EQ(Rows(), (std::vector<std::wstring>{one, two}));

  // The output picker opens at the folder chosen last: it lists "deeper".
  person = std::thread([&] { visit = UsePicker(root + L"src\\typed\\deeper", L"deeper"); });
  form->Button8->Click();
  person.join();
  EXPECT_EQ(visit.title, texts::kBrowseTitle);
  EXPECT_TRUE(visit.listed) << "the picker did not open at the folder chosen last";
  EXPECT_EQ(form->edtSaveDir->Text(), root + L"src\\typed\\deeper\\");

  // The picker for a folder to add opens there too; the output picker opens
  // at the output folder, whatever was added since.
  Source(L"elsewhere\\3.wma", GoodSource(3));
  Source(L"typed\\deeper\\inner\\4.wma", GoodSource(4));
  person = std::thread([&] { visit = UsePicker(root + L"src\\elsewhere", L"inner"); });
  form->btnAddFolder->Click();
  person.join();
  EXPECT_TRUE(visit.listed);
  person = std::thread([&] { visit = UsePicker(root + L"src\\typed\\deeper", L"inner"); });
  form->Button8->Click();
  person.join();
  EXPECT_TRUE(visit.listed) << "the output picker opened elsewhere than the output folder";
}

TEST_F(SystemDialogsTest, ADriveRootStaysAsItIsAndADeeperFolderEndsInOneBackslash) {
  TPickerVisit visit;
  std::thread person([&] { visit = UsePicker(L"C:\\"); });
  form->Button8->Click();
  person.join();
  ASSERT_TRUE(visit.typed);
  EXPECT_TRUE(visit.closed);
  EXPECT_EQ(form->edtSaveDir->Text(), L"C:\\");
  person = std::thread([&] { visit = UsePicker(root + L"helpers"); });
  form->Button8->Click();
  person.join();
  EXPECT_EQ(form->edtSaveDir->Text(), root + L"helpers\\");
  // A cancelled picker changes nothing.
  person = std::thread([] {
    HWND dialog = dd::WaitForDialog(GetCurrentProcessId(), 15s);
    if (dialog) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  form->Button8->Click();
  person.join();
  EXPECT_EQ(form->edtSaveDir->Text(), root + L"helpers\\");
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

TEST_F(FolderBrowserTest, WithoutThePickerAFolderIsChosenInTheFolderBrowser) {
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

  // The browser for the output folder opens with that folder selected:
  // confirmed at once, it gives that folder.
  person = std::thread([&] {
    HWND dialog = dd::WaitForDialog(GetCurrentProcessId(), 15s);
    if (!dialog) return;
    HWND tree = dd::FindChild(dialog, [](HWND h) { return dd::ClassOf(h) == L"SysTreeView32"; });
    // Let the browser fill its tree and select where it opens.
    dd::WaitUntil([&] { return SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) != 0; }, 5s);
    std::this_thread::sleep_for(500ms);
    PressOkAndWait(dialog);
  });
  form->Button8->Click();
  person.join();
  EXPECT_EQ(form->edtSaveDir->Text(), root + L"src\\browse\\");
}

}  // namespace
