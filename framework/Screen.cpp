#include "framework/Screen.h"

#include <algorithm>
#include <string>

#include "framework/Exceptions.h"
#include "framework/Form.h"

namespace {
// Menu command numbers stay below the system's own commands (0xF000 and
// up) and fit the 16 bits WM_COMMAND carries; the lowest ones are left to
// dialog buttons (IDOK, IDCANCEL ...).
constexpr unsigned kFirstMenuCommand = 0x0100;
constexpr unsigned kLastMenuCommand = 0xEFFF;
}  // namespace

TScreen::TScreen() : menu_commands_(kFirstMenuCommand, kLastMenuCommand) {}

TForm* TScreen::Forms(int index) const {
  if (index < 0 || index >= FormCount()) {
    throw EListError("Form index out of bounds (" + std::to_string(index) + ")");
  }
  return forms_[static_cast<size_t>(index)];
}

TForm* TScreen::ActiveForm() const {
  HWND active = GetActiveWindow();
  if (!active) return nullptr;
  for (TForm* form : forms_) {
    if (form->Handle() == active) return form;
  }
  return nullptr;
}

void TScreen::AddForm(TForm* form) {
  if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) forms_.push_back(form);
}

void TScreen::RemoveForm(TForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
}

TScreen& Screen() {
  // The one process-wide registry of forms (user-interface thread only).
  static TScreen screen;
  return screen;
}
