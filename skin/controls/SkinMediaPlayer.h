#pragma once
// The skinned media player. A media player cannot be skinned by painting
// over it, so TSkinMP lays a window of its own, TWMediaPlayer, exactly over
// the player: it follows the player's place, size and visibility, draws the
// visible buttons with the skin's "Buttons" images and the program's
// transport glyphs in inks that read on them, and hands presses on to the
// player, which keeps doing the work. A press released over another button
// hands on only the press, so no click comes of it.
//
// Ownership: TSkinMP owns the panel; the panel borrows the player and its
// skinning object. When the player goes, the panel hides and forgets it at
// once and is freed with the skinning object; while the panel hands a press
// or release on, no skin command runs (they wait), so nothing frees it under
// its own call.
#include <windows.h>

#include <array>
#include <memory>

#include "framework/Bitmap.h"
#include "framework/MediaPlayerButtons.h"
#include "skin/controls/BackBuffer.h"
#include "skin/controls/SkinControl.h"

class TSkinMP;

class TWMediaPlayer {
 public:
  explicit TWMediaPlayer(TSkinMP& owner);
  ~TWMediaPlayer();
  TWMediaPlayer(const TWMediaPlayer&) = delete;
  TWMediaPlayer& operator=(const TWMediaPlayer&) = delete;

  // Makes the window beside the player, over it, in its bounds.
  void Bind(TWinControl& player);
  // The player went: hidden, and it is never touched again.
  void Unbind();
  // Takes the player's bounds again, above it, shown exactly when it is.
  void Place();
  void Repaint();

  HWND Handle() const { return window_; }
  bool MouseDown() const { return mouse_down_; }
  int PressedButton() const { return pressed_; }

 private:
  struct TButton {
    bool visible = false;
    bool enabled = false;
    bool coloured = false;
    TBitmap glyphs[3];  // enabled, disabled, coloured
  };
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  // The button flags from the player's published sets.
  void ReadButtons();
  int HitTest(int x) const;
  void LeftDown(WPARAM wp, LPARAM lp);
  void LeftUp(WPARAM wp, LPARAM lp);
  // Hands a mouse message on to the player; false when it is gone.
  bool SendToPlayer(UINT msg, WPARAM wp, LPARAM lp);
  void Paint(HDC dc);
  void DrawButton(int index, const TRect& rect, bool focused);

  TSkinMP& owner_;
  std::array<TButton, kMediaButtonCount> buttons_;
  TWinControl* player_ = nullptr;  // borrowed; null once it went
  HWND player_window_ = nullptr;
  HWND window_ = nullptr;  // owned: destroyed with the panel
  bool mouse_down_ = false;
  bool handing_press_ = false;  // the player is being handed a press
  int pressed_ = kNoMediaButton;
  int hit_ = kNoMediaButton;
  int button_width_ = 0;
  TBackBuffer buffer_;
};

class TSkinMP : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinMP() override;

  void InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                   bool change_colour) override;
  // Frees the panel, unless a call of it is still running (it is then
  // hidden and freed with this object).
  void Restore() override;
  void SkinChanged() override;

  TWMediaPlayer* Panel() const { return panel_.get(); }

 protected:
  void AfterMessage(TMessage& m) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TWMediaPlayer;
  std::unique_ptr<TWMediaPlayer> panel_;
  int panel_calls_ = 0;  // calls of the panel now running
};
