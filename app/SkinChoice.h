#pragma once
// The user's choice of skin: the main window's system menu lists the stored
// skins by their own names, the one in use checked, and last "不使用皮肤"
// (no skin). Choosing one loads that stored skin into the skin data and
// shows it at once; "不使用皮肤" switches skinning off and gives the window
// its system frame back around the same client area. Nothing is kept
// between runs. The pin caption button of the skins (action 30) keeps the
// window on top.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Control.h"

class TForm;
class TSkinData;
class TSkinStore;

class TSkinChoice {
 public:
  // System-menu commands: multiples of 16 well below the system's own.
  static constexpr UINT kFirstCommand = 0x1000;
  static constexpr UINT kCommandStep = 0x10;
  static constexpr wchar_t kNoSkin[] = L"\u4E0D\u4F7F\u7528\u76AE\u80A4";  // 不使用皮肤
  // The caption button action that keeps the window on top.
  static constexpr WPARAM kStayOnTopAction = 30;

  // `current` is the stored skin in use (-1: none). All three outlive this.
  TSkinChoice(TForm& form, TSkinStore& store, TSkinData& data, int current);
  TSkinChoice(const TSkinChoice&) = delete;
  TSkinChoice& operator=(const TSkinChoice&) = delete;

  // Adds the skins below a separator of the window's system menu.
  void AddMenuItems();
  // Handles the menu's commands and the pin button; true when it did.
  bool HandleMessage(TMessage& message);

  // Switches to stored skin `index`, or to no skin with -1.
  void Choose(int index);
  int Current() const { return current_; }
  const std::vector<std::wstring>& Names() const { return names_; }
  UINT CommandOf(int index) const;

 private:
  void UpdateChecks();

  TForm& form_;
  TSkinStore& store_;
  TSkinData& data_;
  int current_;
  std::vector<std::wstring> names_;
};
