// Subclass layers on real windows: the order messages pass them in, layers
// coming off in any order (also inside their own message), procedures put
// on the window by others above and below, and the window's end.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/HandleCount.h"
#include "framework/Subclass.h"

namespace {

constexpr UINT kProbe = WM_APP + 7;

// Who saw the probe message, in order.
std::vector<std::string>& Seen() {
  static std::vector<std::string> seen;
  return seen;
}

LRESULT CALLBACK OwnProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kProbe) {
    Seen().push_back("own");
    return 100;
  }
  return DefWindowProcW(window, msg, wp, lp);
}

// A layer: a name, what it does with the probe (pass on by default).
struct TLayer {
  explicit TLayer(std::string layer_name) : name(std::move(layer_name)) {}
  std::string name;
  TWindowSubclass subclass;
  std::function<LRESULT(TLayer&, UINT, WPARAM, LPARAM)> on_probe;
  bool saw_end = false;

  static LRESULT CALLBACK Proc(HWND, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    auto& self = *reinterpret_cast<TLayer*>(ref);
    if (msg == WM_NCDESTROY) self.saw_end = true;
    if (msg != kProbe) return self.subclass.PassOn(msg, wp, lp);
    Seen().push_back(self.name);
    if (self.on_probe) return self.on_probe(self, msg, wp, lp);
    return self.subclass.PassOn(msg, wp, lp) + 1;
  }
  // One procedure for every layer: the id tells them apart.
  bool Install(HWND window) {
    return subclass.Install(window, &Proc, reinterpret_cast<UINT_PTR>(this),
                            reinterpret_cast<DWORD_PTR>(this));
  }
};

// A layer of the system's subclass helper that notes the probe.
struct TSystemLayer {
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (msg == kProbe) Seen().push_back("system");
    return DefSubclassProc(w, msg, wp, lp);
  }
};

// A plain procedure put on the window the old way; `below` is what it
// replaced.
struct TPlain {
  static inline WNDPROC below = nullptr;
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kProbe) Seen().push_back("plain");
    return CallWindowProcW(below, w, msg, wp, lp);
  }
};

class SubclassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &OwnProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TonmillSubclassTest";
    RegisterClassW(&wc);
    window_ = CreateWindowExW(0, L"TonmillSubclassTest", L"", WS_OVERLAPPED, 0, 0, 50, 50, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
    Seen().clear();
    layers_before_ = LiveHandles(THandleKind::hkSubclass);
  }
  void TearDown() override {
    if (IsWindow(window_)) DestroyWindow(window_);
  }
  LRESULT Probe() {
    Seen().clear();
    return SendMessageW(window_, kProbe, 0, 0);
  }
  LONG_PTR Procedure() const { return GetWindowLongPtrW(window_, GWLP_WNDPROC); }

  HWND window_ = nullptr;
  long layers_before_ = 0;
};

using Order = std::vector<std::string>;

TEST_F(SubclassTest, LayersStackNewestFirstAndComeOffInAnyOrder) {
  const LONG_PTR own = Procedure();
  TLayer a("a"), b{"b"}, c{"c"};
  ASSERT_TRUE(a.Install(window_));
  ASSERT_TRUE(b.Install(window_));
  ASSERT_TRUE(c.Install(window_));
  EXPECT_EQ(LiveHandles(THandleKind::hkSubclass), layers_before_ + 3);
  EXPECT_EQ(Probe(), 103);
  EXPECT_EQ(Seen(), (Order{"c", "b", "a", "own"}));
  b.subclass.Remove();
  EXPECT_EQ(Probe(), 102);
  EXPECT_EQ(Seen(), (Order{"c", "a", "own"}));
  c.subclass.Remove();
  EXPECT_EQ(Probe(), 101);
  EXPECT_EQ(Seen(), (Order{"a", "own"}));
  // Put on again, a layer is the newest.
  ASSERT_TRUE(c.Install(window_));
  EXPECT_EQ(Probe(), 102);
  EXPECT_EQ(Seen(), (Order{"c", "a", "own"}));
  a.subclass.Remove();
  c.subclass.Remove();
  // Every layer off: the window has its own procedure back and no trace.
  EXPECT_EQ(Procedure(), own);
  EXPECT_EQ(GetPropW(window_, L"TonmillSubclassChain"), nullptr);
  EXPECT_EQ(Probe(), 100);
  EXPECT_EQ(LiveHandles(THandleKind::hkSubclass), layers_before_);
}

TEST_F(SubclassTest, LayersComingOffInsideAMessageStillPassItOn) {
  TLayer a("a"), b{"b"}, c{"c"};
  ASSERT_TRUE(a.Install(window_));
  ASSERT_TRUE(b.Install(window_));
  ASSERT_TRUE(c.Install(window_));
  // The top layer takes itself off and the one below it, then passes on:
  // the message skips the layer that went and reaches the rest.
  c.on_probe = [&](TLayer& self, UINT msg, WPARAM wp, LPARAM lp) {
    self.subclass.Remove();
    b.subclass.Remove();
    return self.subclass.PassOn(msg, wp, lp) + 10;
  };
  EXPECT_EQ(Probe(), 111);
  EXPECT_EQ(Seen(), (Order{"c", "a", "own"}));
  EXPECT_EQ(Probe(), 101);
  EXPECT_EQ(Seen(), (Order{"a", "own"}));
  // The last layer takes itself off inside its message.
  a.on_probe = [](TLayer& self, UINT msg, WPARAM wp, LPARAM lp) {
    self.subclass.Remove();
    return self.subclass.PassOn(msg, wp, lp) + 1;
  };
  EXPECT_EQ(Probe(), 101);
  EXPECT_EQ(Probe(), 100);
  EXPECT_EQ(GetPropW(window_, L"TonmillSubclassChain"), nullptr);
  EXPECT_EQ(LiveHandles(THandleKind::hkSubclass), layers_before_);
}

TEST_F(SubclassTest, NestedMessagesAndMessagesPassedOnTwiceReachEveryLayerBelow) {
  TLayer a("a"), b{"b"};
  ASSERT_TRUE(a.Install(window_));
  ASSERT_TRUE(b.Install(window_));
  int depth = 0;
  b.on_probe = [&](TLayer& self, UINT msg, WPARAM wp, LPARAM lp) {
    if (depth++ == 0) {
      // A message sent to the window from inside a layer goes through every
      // layer again; the outer one goes on where it was afterwards.
      SendMessageW(window_, kProbe, 0, 0);
      const LRESULT first = self.subclass.PassOn(msg, wp, lp);
      // Passed on a second time, the layers below see it again.
      return first + self.subclass.PassOn(msg, wp, lp);
    }
    return self.subclass.PassOn(msg, wp, lp);
  };
  EXPECT_EQ(Probe(), 202);
  EXPECT_EQ(Seen(), (Order{"b", "b", "a", "own", "a", "own", "a", "own"}));
}

TEST_F(SubclassTest, StacksWithProceduresOthersPutOnTheWindow) {
  const LONG_PTR own = Procedure();
  TLayer a("a"), b{"b"};
  ASSERT_TRUE(a.Install(window_));
  // The system's subclass helper above our layer, a plain procedure above
  // that.
  ASSERT_TRUE(SetWindowSubclass(window_, &TSystemLayer::Proc, 1, 0));
  TPlain::below = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TPlain::Proc)));
  ASSERT_TRUE(b.Install(window_));
  EXPECT_EQ(Probe(), 102);
  EXPECT_EQ(Seen(), (Order{"plain", "system", "b", "a", "own"}));
  // Our layers go while procedures put on after ours stay: theirs keep
  // working and reach the window's own through what is left of ours.
  a.subclass.Remove();
  b.subclass.Remove();
  EXPECT_EQ(Probe(), 100);
  EXPECT_EQ(Seen(), (Order{"plain", "system", "own"}));
  EXPECT_EQ(LiveHandles(THandleKind::hkSubclass), layers_before_);
  // Those taken off in turn, the window is as it was.
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TPlain::below));
  RemoveWindowSubclass(window_, &TSystemLayer::Proc, 1);
  EXPECT_EQ(Probe(), 100);
  EXPECT_EQ(Seen(), (Order{"own"}));
  EXPECT_EQ(Procedure(), own);
  EXPECT_EQ(GetPropW(window_, L"TonmillSubclassChain"), nullptr);
  // A layer put on now starts a chain afresh.
  ASSERT_TRUE(a.Install(window_));
  EXPECT_EQ(Probe(), 101);
  a.subclass.Remove();
  EXPECT_EQ(Procedure(), own);
}

// Our layers put on a window somebody subclassed before: the system's
// helper below them may come off first (Wine's then puts back the procedure
// it saved), and the layers still see every message and the window's end; a
// plain procedure below them is what the window keeps when they go.
TEST_F(SubclassTest, LayersOnAWindowSubclassedBeforeOutliveWhatIsBelowThem) {
  ASSERT_TRUE(SetWindowSubclass(window_, &TSystemLayer::Proc, 1, 0));
  TLayer a("a"), b{"b"};
  ASSERT_TRUE(a.Install(window_));
  ASSERT_TRUE(b.Install(window_));
  EXPECT_EQ(Probe(), 102);
  EXPECT_EQ(Seen(), (Order{"b", "a", "system", "own"}));
  RemoveWindowSubclass(window_, &TSystemLayer::Proc, 1);
  EXPECT_EQ(Probe(), 102);
  EXPECT_EQ(Seen(), (Order{"b", "a", "own"}));
  DestroyWindow(window_);
  EXPECT_TRUE(a.saw_end);
  EXPECT_TRUE(b.saw_end);
  a.subclass.Remove();
  b.subclass.Remove();
  EXPECT_EQ(LiveHandles(THandleKind::hkSubclass), layers_before_);

  SetUp();
  TPlain::below = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TPlain::Proc)));
  ASSERT_TRUE(a.Install(window_));
  EXPECT_EQ(Probe(), 101);
  EXPECT_EQ(Seen(), (Order{"a", "plain", "own"}));
  a.subclass.Remove();
  EXPECT_EQ(Procedure(), reinterpret_cast<LONG_PTR>(&TPlain::Proc));
  EXPECT_EQ(GetPropW(window_, L"TonmillSubclassChain"), nullptr);
  EXPECT_EQ(Probe(), 100);
  EXPECT_EQ(Seen(), (Order{"plain", "own"}));
}

// A message reaches the layers through the procedure the chain put on the
// window, which holds the chain: no lookup by the window's property (a
// round trip to the window server under Wine) is needed, so messages still
// arrive with the property gone.
TEST_F(SubclassTest, MessagesReachTheLayersWithoutLookingTheWindowUp) {
  const LONG_PTR own = Procedure();
  TLayer a("a");
  ASSERT_TRUE(a.Install(window_));
  HANDLE chain = RemovePropW(window_, L"TonmillSubclassChain");
  ASSERT_NE(chain, nullptr);
  EXPECT_EQ(Probe(), 101);
  EXPECT_EQ(Seen(), (Order{"a", "own"}));
  SetPropW(window_, L"TonmillSubclassChain", chain);
  a.subclass.Remove();
  EXPECT_EQ(Procedure(), own);
  EXPECT_EQ(GetPropW(window_, L"TonmillSubclassChain"), nullptr);
}

TEST_F(SubclassTest, TheWindowsEndTakesEveryLayerOffWhoeverHoldsIt) {
  TLayer a("a"), b{"b"};
  ASSERT_TRUE(a.Install(window_));
  ASSERT_TRUE(b.Install(window_));
  DestroyWindow(window_);
  EXPECT_TRUE(a.saw_end);
  EXPECT_TRUE(b.saw_end);
  // The owners let go after the end: nothing is called, the count is even.
  EXPECT_TRUE(a.subclass.Installed());
  a.subclass.Remove();
  b.subclass.Remove();
  EXPECT_EQ(LiveHandles(THandleKind::hkSubclass), layers_before_);
  // A window made next (perhaps with the same handle) starts with none.
  SetUp();
  EXPECT_EQ(Probe(), 100);
  EXPECT_EQ(Seen(), (Order{"own"}));
}

TEST_F(SubclassTest, TextReachesAnAnsiWindowThroughTheLayersUnchanged) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &DefWindowProcA;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = "TonmillSubclassAnsi";
  RegisterClassA(&wc);
  HWND ansi = CreateWindowExA(0, "TonmillSubclassAnsi", "", WS_OVERLAPPED, 0, 0, 50, 50, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(ansi, nullptr);
  TLayer a("a");
  ASSERT_TRUE(a.Install(ansi));
  SetWindowTextW(ansi, L"Grüße");
  wchar_t wide[32] = {};
  GetWindowTextW(ansi, wide, 32);
  EXPECT_EQ(std::wstring(wide), L"Grüße");
  a.subclass.Remove();
  // The window is an ANSI window again, its text as it was stored.
  EXPECT_FALSE(IsWindowUnicode(ansi));
  char text[32] = {};
  GetWindowTextA(ansi, text, 32);
  EXPECT_STREQ(text,
               "Gr\xfc\xdf"
               "e");
  DestroyWindow(ansi);
}

}  // namespace
