// The caption component: its process-wide setting, its fixed author, and
// the frame refresh of every skinned form when the setting changes.
#include <windows.h>
#include <commctrl.h>

#include "framework/Persistent.h"
#include "skin/data/SkinCaption.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"

namespace {

constexpr UINT_PTR kCountingId = 0x434E;

// Counts the frame changes a window is asked for.
LRESULT CALLBACK CountFrameChanges(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                   DWORD_PTR ref) {
  if (msg == WM_WINDOWPOSCHANGING && (reinterpret_cast<WINDOWPOS*>(lp)->flags & SWP_FRAMECHANGED)) {
    ++*reinterpret_cast<int*>(ref);
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

class SkinCaptionTest : public SkinEngineTest {};

TEST_F(SkinCaptionTest, WithoutAManagerOnlyTheSettingChanges) {
  // No skin data has started in this process state: no manager exists.
  ASSERT_EQ(SkinManager, nullptr);
  auto caption = MakeComponent<TSkinCaption>();
  caption->SetActive(false);
  EXPECT_FALSE(caption->Active());
  EXPECT_FALSE(SkinCaptionActive());
  caption->SetActive(true);
  EXPECT_TRUE(SkinCaptionActive());
  // The setting belongs to the process, not to one component.
  auto other = MakeComponent<TSkinCaption>();
  EXPECT_TRUE(other->Active());
}

TEST_F(SkinCaptionTest, AuthorIsFixedAndAlphaBecomesTheProcesssAtLoad) {
  auto caption = MakeComponent<TSkinCaption>();
  EXPECT_TRUE(SetPropText(*caption, "Author", "someone else"));
  EXPECT_EQ(GetTextProp(*caption, "Author"), kSkinCaptionAuthor);
  caption->SetSkinAlpha(200);
  EXPECT_EQ(SkinCaptionAlpha(), 0);
  caption->Loaded();
  EXPECT_EQ(SkinCaptionAlpha(), 200);
  caption->SetSkinAlpha(0);
  caption->Loaded();
}

TEST_F(SkinCaptionTest, EachSkinnedFormGetsOneFrameChange) {
  TForm& first = ShowSkinnedForm(2);
  TForm& second = MakeForm(SizableStyle());
  second.Show();
  SetForegroundWindow(second.Handle());
  ASSERT_TRUE(WaitSkinned(second.Handle()));
  TForm& unskinned = MakeForm(MainLikeStyle(L"Tagged"));
  unskinned.SetTag(99);
  unskinned.Show();
  Pump(100);
  int changes[3] = {0, 0, 0};
  HWND windows[3] = {first.Handle(), second.Handle(), unskinned.Handle()};
  for (int i = 0; i < 3; ++i) {
    SetWindowSubclass(windows[i], &CountFrameChanges, kCountingId,
                      reinterpret_cast<DWORD_PTR>(&changes[i]));
  }
  auto caption = MakeComponent<TSkinCaption>();
  caption->SetActive(true);
  for (int i = 0; i < 3; ++i) RemoveWindowSubclass(windows[i], &CountFrameChanges, kCountingId);
  EXPECT_EQ(changes[0], 1);
  EXPECT_EQ(changes[1], 1);
  EXPECT_EQ(changes[2], 0);
}

}  // namespace
