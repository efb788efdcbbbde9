#pragma once
// TWindowSubclass: one owned layer on a window's procedure. Layers stack on
// a window in the order they are put on (the newest sees a message first),
// each passes a message on to the layers below it and to the window's own
// procedure with PassOn, and each comes off when its owner lets go (Remove,
// or the owner's end), whatever other layers lie above or below it.
//
// A window's layers form one chain (Subclass.cpp): one procedure of the
// chain's own put on the window (a few instructions that hold the chain), so
// that a message finds its chain without a lookup, and one window property
// naming the chain for those who put layers on later. (The system's subclass
// helpers look their property up for every layer a message passes, and
// under Wine each lookup is a round trip to the window server.) A window
// that somebody else has subclassed already gets the chain as one layer of
// the system's helper instead, so that the helper's layers and ours come off
// in any order. The chain lives while it has layers or a message runs
// through it; it comes off the window when its last layer does, and with
// the window's end (WM_NCDESTROY).
//
// Layers are counted among the live handles.
#include <windows.h>
#include <commctrl.h>

#include <memory>

class TSubclassChain;

class TWindowSubclass {
 public:
  TWindowSubclass() = default;
  ~TWindowSubclass() { Remove(); }
  TWindowSubclass(const TWindowSubclass&) = delete;
  TWindowSubclass& operator=(const TWindowSubclass&) = delete;

  // Puts `proc` with `data` on `window` (after taking off a layer this
  // object held before); false when the system refuses.
  bool Install(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);
  void Remove();
  bool Installed() const { return window_ != nullptr; }
  HWND Window() const { return window_; }

  // Passes a message on to the layers below the one running now and last
  // to the window's own procedure. Called from a layer's procedure, also
  // after the layer came off; called outside one, the window's own
  // procedure gets it.
  LRESULT PassOn(UINT msg, WPARAM wp, LPARAM lp) const;

 private:
  HWND window_ = nullptr;
  SUBCLASSPROC proc_ = nullptr;
  UINT_PTR id_ = 0;
  // Kept after Remove, so a layer that took itself off can still pass the
  // message it is handling on.
  std::shared_ptr<TSubclassChain> chain_;
};
