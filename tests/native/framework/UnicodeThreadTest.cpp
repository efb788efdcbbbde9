#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "framework/Thread.h"
#include "framework/Unicode.h"

namespace {

TEST(Unicode, RoundTripsChineseAndAstralText) {
  const std::string utf8 = "\xE6\x96\xB0\xE5\xA2\x9E a \xF0\x9F\x8E\xB5.wma";  // 新增 a 🎵.wma
  const std::wstring wide = Utf8ToWide(utf8);
  EXPECT_EQ(WideToUtf8(wide), utf8);
  EXPECT_EQ(wide[0], static_cast<wchar_t>(0x65B0));
}

TEST(Unicode, InvalidBytesBecomeReplacementCharacters) {
  EXPECT_EQ(Utf8ToWide("a\xFF" "b"), (std::wstring{L'a', static_cast<wchar_t>(0xFFFD), L'b'}));
  EXPECT_EQ(Utf8ToWide("\xE6\x96"), std::wstring(2, static_cast<wchar_t>(0xFFFD)));  // cut short
  EXPECT_EQ(Utf8ToWide("\xC0\x80"), std::wstring(2, static_cast<wchar_t>(0xFFFD)));  // overlong
  EXPECT_EQ(WideToUtf8(std::wstring{static_cast<wchar_t>(0xD800)}), "\xEF\xBF\xBD");
}

class TCounting : public TThread {
 public:
  explicit TCounting(std::atomic<int>* passes) : passes_(passes) { Start(); }
  ~TCounting() override {
    Terminate();
    WaitFor();
  }

 protected:
  void Execute() override {
    while (!Terminated()) {
      passes_->fetch_add(1);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }

 private:
  std::atomic<int>* passes_;
};

TEST(Thread, DestroyingARunningThreadStopsItAndWaits) {
  std::atomic<int> passes{0};
  {
    TCounting t(&passes);
    while (passes.load() < 3) std::this_thread::yield();
    EXPECT_FALSE(t.Finished());
  }
  const int after = passes.load();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(passes.load(), after) << "the worker must be gone after destruction";
}

}  // namespace
