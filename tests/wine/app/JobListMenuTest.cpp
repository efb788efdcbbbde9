// The job list's context menu on the real main window: opened with a real
// right click on a row, its items chosen with the real mouse, and what each
// did read back from the list; the menu is the skin's.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "app/Main.h"
#include "skin/data/SkinManage.h"
#include "skin/form/SkinWindowMessages.h"
#include "skin/menu/SkinMenuOwnerDraw.h"
#include "tests/wine/app/JobListMenuSupport.h"
#include "tests/wine/app/MainWindowHarness.h"
#include "tests/wine/framework/MenuDriver.h"
#include "tests/wine/support/WineTestSupport.h"

namespace {

using namespace std::chrono_literals;
using input::TMenuDriver;

// Positions of the items in the menu.
constexpr int kUp = 0, kDown = 1, kDelete = 3, kClear = 4;

class JobListMenuTest : public ::testing::Test, public TMainWindowHarness {
 protected:
  JobListMenuTest() { ShowSkinnedInFront(app, *skins, *form); }

  void SetJobs(const std::vector<std::wstring>& names) {
    form->JobList.clear();
    for (const std::wstring& name : names) {
      auto job = std::make_unique<TFileInfo>();
      job->FileName = name;
      form->JobList.push_back(std::move(job));
    }
    form->lvwFiles->SetItemCount(static_cast<int>(names.size()));
    form->lvwFiles->Repaint();
  }

  // The screen point in the middle of row `row` (or below the rows).
  POINT RowPoint(int row) { return JobRowPoint(*form, row); }

  // Right-clicks row `row`, notes which items are enabled, and chooses
  // item `choose` (-1: none, the menu is closed with Esc).
  std::vector<bool> RightClickAndChoose(int row, int choose) {
    std::vector<bool> enabled;
    const POINT p = RowPoint(row);
    TMenuDriver driver([&](HWND window) {
      input::Pause(150);
      // The menu's items are set as it opens: the handle is the one showing.
      const auto menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
      for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        enabled.push_back(!(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED));
      }
      if (choose >= 0) {
        input::ClickItem(menu, choose);
      } else {
        input::Key(VK_ESCAPE);
      }
    });
    input::Click(p.x, p.y, true);
    PumpUntil(
        app, [&] { return driver.Shown() && !input::VisibleMenuWindow(); }, 8s);
    driver.Join();
    PumpUntil(
        app, [] { return false; }, 100ms);
    EXPECT_TRUE(driver.Shown()) << "a right click on the list opens its menu";
    return enabled;
  }

  std::vector<std::wstring> Names() {
    std::vector<std::wstring> names;
    for (const auto& job : form->JobList) names.push_back(job->FileName);
    return names;
  }
};

TEST_F(JobListMenuTest, MovesDeletesAndClearsAsTheHandlersDo) {
  EXPECT_TRUE(HasItemPainter(form->JobListMenu->Menu())) << "the skin draws the menu";
  SetJobs({L"a.wma", L"b.wma", L"c.wma", L"d.wma"});

  // Row 1 up: it changes places with row 0.
  std::vector<bool> enabled = RightClickAndChoose(1, kUp);
  ASSERT_EQ(enabled.size(), 5u);
  EXPECT_TRUE(enabled[kUp] && enabled[kDown] && enabled[kDelete] && enabled[kClear]);
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"b.wma", L"a.wma", L"c.wma", L"d.wma"}));

  // The first row cannot go up; down it goes.
  enabled = RightClickAndChoose(0, kDown);
  ASSERT_EQ(enabled.size(), 5u);
  EXPECT_FALSE(enabled[kUp]);
  EXPECT_TRUE(enabled[kDown]);
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"a.wma", L"b.wma", L"c.wma", L"d.wma"}));

  // The last row cannot go down; a disabled item does nothing when chosen.
  enabled = RightClickAndChoose(3, kDown);
  ASSERT_EQ(enabled.size(), 5u);
  EXPECT_FALSE(enabled[kDown]);
  EXPECT_TRUE(enabled[kUp]);
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"a.wma", L"b.wma", L"c.wma", L"d.wma"}));

  // Delete takes the row clicked.
  RightClickAndChoose(2, kDelete);
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"a.wma", L"b.wma", L"d.wma"}));
  EXPECT_EQ(form->lvwFiles->ItemCount(), 3);

  // The Delete key does the same to the selected row.
  form->lvwFiles->SetItemIndex(0);
  SetFocus(form->lvwFiles->Handle());
  input::Key(VK_DELETE);
  PumpUntil(
      app, [&] { return form->JobList.size() == 2; }, 3s);
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"b.wma", L"d.wma"}));

  // Clear empties the list; on an empty list nothing applies.
  RightClickAndChoose(0, kClear);
  EXPECT_TRUE(form->JobList.empty());
  EXPECT_EQ(form->lvwFiles->ItemCount(), 0);
  enabled = RightClickAndChoose(-1, -1);
  ASSERT_EQ(enabled.size(), 5u);
  EXPECT_FALSE(enabled[kUp] || enabled[kDown] || enabled[kDelete] || enabled[kClear]);
  SaveShot(form->Handle(), "job_list_menu_done");
}

}  // namespace
