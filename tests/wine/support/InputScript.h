#pragma once
// Real input for the Windows tests: mouse moves, clicks and keys go through
// SendInput, as a person's would, so they pass the system's own hit
// testing, activation and menu loops.
#include <windows.h>

#include <chrono>
#include <thread>

namespace input {

// Absolute mouse coordinates span 0..65535 over the primary screen. The
// system maps them back to pixels rounding down, so they are rounded up here:
// rounded to the nearest, some points landed one pixel short.
inline INPUT MouseInput(int x, int y, DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  const int w = GetSystemMetrics(SM_CXSCREEN);
  const int h = GetSystemMetrics(SM_CYSCREEN);
  in.mi.dx = static_cast<LONG>((x * 65536LL + w - 1) / w);
  in.mi.dy = static_cast<LONG>((y * 65536LL + h - 1) / h);
  in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  return in;
}

inline void MoveTo(int x, int y) {
  INPUT in = MouseInput(x, y, 0);
  SendInput(1, &in, sizeof in);
}

inline void Press(int x, int y, bool right = false) {
  INPUT in = MouseInput(x, y, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
  SendInput(1, &in, sizeof in);
}

inline void Release(int x, int y, bool right = false) {
  INPUT in = MouseInput(x, y, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
  SendInput(1, &in, sizeof in);
}

inline void Click(int x, int y, bool right = false) {
  INPUT in[2] = {MouseInput(x, y, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
                 MouseInput(x, y, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)};
  SendInput(2, in, sizeof in[0]);
}

inline void DoubleClick(int x, int y) {
  Click(x, y);
  Click(x, y);
}

inline INPUT KeyInput(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return in;
}

inline void Key(WORD vk) {
  INPUT in[2] = {KeyInput(vk, false), KeyInput(vk, true)};
  SendInput(2, in, sizeof in[0]);
}

// `modifier` held down around `vk` (Alt+Space: Chord(VK_MENU, VK_SPACE)).
inline void Chord(WORD modifier, WORD vk) {
  INPUT in[4] = {KeyInput(modifier, false), KeyInput(vk, false), KeyInput(vk, true),
                 KeyInput(modifier, true)};
  SendInput(4, in, sizeof in[0]);
}

// Runs `script` on a thread of its own, so that input can reach a modal
// loop (a menu, a message box) that the test's own thread sits in.
class TScriptThread {
 public:
  template <class F>
  explicit TScriptThread(F script) : thread_(std::move(script)) {}
  ~TScriptThread() {
    if (thread_.joinable()) thread_.join();
  }
  TScriptThread(const TScriptThread&) = delete;
  TScriptThread& operator=(const TScriptThread&) = delete;

 private:
  std::thread thread_;
};

inline void Pause(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace input
