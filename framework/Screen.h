#pragma once
// TScreen: the program's forms in the order they were made, and the one
// whose window is active. There is one per process (Screen()), used on the
// user-interface thread only; every TForm enters it when made and leaves it
// when destroyed. It also hands out the command numbers of menu items, which
// must be unique across every menu of the process.
#include <windows.h>

#include <vector>

#include "framework/CommandIds.h"

class TForm;

class TScreen {
 public:
  TScreen();
  TScreen(const TScreen&) = delete;
  TScreen& operator=(const TScreen&) = delete;

  int FormCount() const { return static_cast<int>(forms_.size()); }
  // Form `index` in creation order; EListError outside 0..FormCount()-1.
  TForm* Forms(int index) const;
  // The form whose window is this thread's active window, or null.
  TForm* ActiveForm() const;

  TCommandIds& MenuCommands() { return menu_commands_; }

 private:
  friend class TForm;
  void AddForm(TForm* form);
  void RemoveForm(TForm* form);

  std::vector<TForm*> forms_;  // borrowed: each form removes itself
  TCommandIds menu_commands_;
};

TScreen& Screen();
