// An MDI application of bare windows: its frame and children are skinned,
// a maximised child switches the manager's MDI state, and with the option
// that keeps the system frame on children only the frame is skinned.
#include <windows.h>

#include "skin/form/SkinWindowMessages.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/support/InputScript.h"

namespace {

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  HWND client = FindWindowExW(hwnd, nullptr, L"MDIClient", nullptr);
  return DefFrameProcW(hwnd, client, msg, wp, lp);
}

LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return DefMDIChildProcW(hwnd, msg, wp, lp);
}

class MdiTest : public SkinEngineTest {
 protected:
  MdiTest() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpfnWndProc = FrameProc;
    wc.lpszClassName = L"TestMdiFrame";
    RegisterClassExW(&wc);
    wc.lpfnWndProc = ChildProc;
    wc.lpszClassName = L"TestMdiChild";
    RegisterClassExW(&wc);
  }
  ~MdiTest() override {
    if (frame_) DestroyWindow(frame_);
  }
  // The frame with its client, shown; null when the system refused.
  HWND MakeFrame() {
    frame_ = CreateWindowExW(0, L"TestMdiFrame", L"MDI frame", WS_OVERLAPPEDWINDOW, 50, 50, 640,
                             480, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    CLIENTCREATESTRUCT ccs{};
    ccs.idFirstChild = 100;
    client_ = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0,
                              0, 600, 400, frame_, nullptr, GetModuleHandleW(nullptr), &ccs);
    ShowWindow(frame_, SW_SHOW);
    SetForegroundWindow(frame_);
    return client_ ? frame_ : nullptr;
  }
  HWND MakeChild(const wchar_t* title) {
    MDICREATESTRUCTW mcs{};
    mcs.szClass = L"TestMdiChild";
    mcs.szTitle = title;
    mcs.hOwner = GetModuleHandleW(nullptr);
    mcs.x = mcs.y = CW_USEDEFAULT;
    mcs.cx = 300;
    mcs.cy = 200;
    return reinterpret_cast<HWND>(
        SendMessageW(client_, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
  }
  HWND frame_ = nullptr;
  HWND client_ = nullptr;
};

TEST_F(MdiTest, FrameAndChildrenAreSkinnedAndMaximisingSwitchesTheMdiState) {
  TSkinData& data = MakeData(App(), 2);
  data.SetActive(true);
  Flush();
  ASSERT_NE(MakeFrame(), nullptr);
  ASSERT_TRUE(WaitSkinned(frame_));
  EXPECT_EQ(EngineOf(frame_)->MdiKind(), mkFrame);
  EXPECT_EQ(Manager().MdiClient(), client_);
  HWND child = MakeChild(L"Child");
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(WaitSkinned(child));
  TWinSkinForm& engine = *EngineOf(child);
  EXPECT_EQ(engine.MdiKind(), mkChild);
  EXPECT_TRUE(engine.FrameSkinned());
  // The child's client area sits inside the skin's borders.
  const RECT outer = WindowRect(child);
  const RECT client = ClientScreenRect(child);
  EXPECT_EQ(client.left - outer.left, engine.Metrics().left);
  // The child's own maximise button maximises it and switches the state.
  const int maximise = VisibleButton(engine, 1);
  ASSERT_GE(maximise, 0);
  const POINT at = HoverCaptionButton(engine, maximise);
  input::Click(at.x, at.y);
  EXPECT_TRUE(PumpUntil([&] { return IsZoomed(child) != 0; }, 2000));
  EXPECT_TRUE(Manager().MdiMaximized());
  SendMessageW(client_, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
  SendMessageW(child, WM_SYSCOMMAND, SC_RESTORE, 0);
  Pump(100);
  EXPECT_FALSE(Manager().MdiMaximized());
  // Closing the child leaves the frame skinned and the list without it.
  SendMessageW(client_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
  Pump(50);
  TForm& any = MakeForm(MainLikeStyle());
  any.Show();
  SetForegroundWindow(any.Handle());
  ASSERT_TRUE(WaitSkinned(any.Handle()));
  EXPECT_EQ(EngineOf(child), nullptr) << "purged";
  EXPECT_NE(EngineOf(frame_), nullptr);
}

TEST_F(MdiTest, ChildrenKeepTheSystemFrameWithTheOption) {
  TSkinData& data = MakeData(App(), 0);
  TSkinOptions options = data.Options();
  options.Include(xoMDIChildBorder);
  data.SetOptions(options);
  data.SetActive(true);
  Flush();
  ASSERT_NE(MakeFrame(), nullptr);
  ASSERT_TRUE(WaitSkinned(frame_));
  HWND child = MakeChild(L"Plain child");
  ASSERT_NE(child, nullptr);
  PumpUntil([&] { return EngineOf(child) && EngineOf(child)->Finished(); });
  TWinSkinForm* engine = EngineOf(child);
  ASSERT_NE(engine, nullptr);
  EXPECT_FALSE(engine->FrameSkinned());
  EXPECT_EQ(SendMessageW(child, SKM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(GetWindowLongPtrW(child, GWL_STYLE) & WS_CAPTION, WS_CAPTION);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(child, region), ERROR) << "no region of the engine's";
  DeleteObject(region);
}

}  // namespace
