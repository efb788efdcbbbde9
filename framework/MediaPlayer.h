#pragma once
// TMediaPlayer: a row of transport buttons (play, pause, stop, next,
// previous, step, back, record, eject) over the system's media control
// interface. A button pressed and released over itself is a click:
// OnClick hears of it first and may keep the player from its own action
// (DoDefault false). The actions work on the device opened from FileName;
// without one they do nothing, and a failure is kept in Error(), never
// shown, so a click on a player without a file is harmless.
//
// The buttons draw the program's glyph bitmaps "EN_…", "DI_…" and "CL_…"
// (enabled, disabled, coloured) when the program carries them.
#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "framework/Bitmap.h"
#include "framework/Control.h"
#include "framework/MediaPlayerButtons.h"

using TMPBtnClickEvent = std::function<void(TObject* Sender, TMPBtnType Button, bool& DoDefault)>;

// The glyph of a button from the program's bitmap resources, `prefix` "EN",
// "DI" or "CL"; empty when the program has none of that name.
TBitmap LoadMediaGlyph(const char* prefix, TMPBtnType button);

class TMediaPlayer : public TWinControl {
 public:
  explicit TMediaPlayer(TComponent* owner);
  ~TMediaPlayer() override;

  TButtonSet VisibleButtons() const { return visible_; }
  void SetVisibleButtons(TButtonSet buttons);
  TButtonSet EnabledButtons() const { return enabled_buttons_; }
  void SetEnabledButtons(TButtonSet buttons);
  TButtonSet ColoredButtons() const { return coloured_; }
  void SetColoredButtons(TButtonSet buttons);

  // The file Open opens (the device is chosen by the system).
  const std::wstring& FileName() const { return file_name_; }
  void SetFileName(const std::wstring& name) { file_name_ = name; }
  // Opens FileName, closing what was open; false (and Error set) when the
  // system cannot.
  bool Open();
  void Close();
  bool IsOpen() const { return open_; }
  // The actions of the buttons; each does nothing while nothing is open.
  void Play();
  void Pause();
  void Stop();
  void Next();
  void Previous();
  void Step();
  void Back();
  void StartRecording();
  void Eject();
  // The system's code for the last action's failure; 0 after success or
  // when nothing was tried.
  unsigned Error() const { return error_; }

  // What a click of `button` does: OnClick, then the button's action
  // unless the handler said no.
  void Click(TMPBtnType button);
  TMPBtnClickEvent OnClick;

  // The button the left button went down on (kNoMediaButton when none),
  // and the one the keyboard acts on.
  int PressedButton() const { return pressed_; }
  int FocusedButton() const { return focused_button_; }
  TMediaButtonRow Row() const;

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;

 private:
  bool Usable(int button) const;
  void Paint(HDC dc);
  void Press(int x);
  void Release(int x);
  void MoveFocus(int step);
  void KeepFocusUsable();
  // Sends a command to the open device; false when nothing is open.
  bool Command(const std::wstring& verb, const std::wstring& rest = L"");

  TButtonSet visible_ = AllMediaButtons();
  TButtonSet enabled_buttons_ = AllMediaButtons();
  TButtonSet coloured_ = AllMediaButtons();
  std::wstring file_name_;
  std::wstring alias_;
  bool open_ = false;
  unsigned error_ = 0;
  int pressed_ = kNoMediaButton;
  bool pressed_inside_ = false;  // the mouse is over the pressed button
  int focused_button_ = 0;
  // enabled, disabled and coloured glyph of each button
  std::array<std::array<TBitmap, 3>, kMediaButtonCount> glyphs_;
};
