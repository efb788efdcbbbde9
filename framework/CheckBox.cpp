#include "framework/CheckBox.h"

// --- TButtonControl ---------------------------------------------------------

DWORD TButtonControl::SideStyle() const {
  // Right-to-left readers find the box at the right of a caption that is
  // "right of the box" for everybody else.
  return (left_text_ != right_to_left_) ? BS_LEFTTEXT : 0;
}

DWORD TButtonControl::SideExStyle() const {
  return right_to_left_ ? WS_EX_RTLREADING | WS_EX_RIGHT : 0;
}

void TButtonControl::ApplySide() {
  if (!HandleAllocated()) return;
  // The button reads both at every paint, so the window is kept.
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
  SetWindowLongPtrW(Handle(), GWL_STYLE, (style & ~DWORD{BS_LEFTTEXT}) | SideStyle());
  const auto ex = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE));
  SetWindowLongPtrW(Handle(), GWL_EXSTYLE,
                    (ex & ~DWORD{WS_EX_RTLREADING | WS_EX_RIGHT}) | SideExStyle());
  Invalidate();
}

void TButtonControl::SetLeftText(bool on) {
  if (on == left_text_) return;
  left_text_ = on;
  ApplySide();
}

void TButtonControl::SetRightToLeft(bool on) {
  if (on == right_to_left_) return;
  right_to_left_ = on;
  ApplySide();
}

void TButtonControl::DescribeProperties(TPropertyTable& table) {
  TWinControl::DescribeProperties(table);
  // taRightJustify: the caption right of the box.
  table.Enum(
      "Alignment", {"taLeftJustify", "taRightJustify"}, [this] { return left_text_ ? 0 : 1; },
      [this](std::int64_t v) { SetLeftText(v == 0); });
  table.Enum(
      "BiDiMode", {"bdLeftToRight", "bdRightToLeft"}, [this] { return right_to_left_ ? 1 : 0; },
      [this](std::int64_t v) { SetRightToLeft(v != 0); });
}

// --- TCheckBox --------------------------------------------------------------

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) {}

void TCheckBox::CreateParams(TCreateParams& params) {
  params.class_name = L"BUTTON";
  // Three states always (a program may show grey without clicks leading
  // there); the clicks are counted by Toggle, not by the window.
  params.style |= WS_TABSTOP | BS_3STATE | BS_MULTILINE | SideStyle();
  params.ex_style |= SideExStyle();
}

void TCheckBox::CreateWnd() {
  SendMessageW(Handle(), BM_SETCHECK, static_cast<WPARAM>(state_), 0);
}

TCheckBoxState TCheckBox::State() const {
  if (!HandleAllocated()) return state_;
  const LRESULT check = SendMessageW(Handle(), BM_GETCHECK, 0, 0);
  return check == BST_CHECKED ? cbChecked : check == BST_INDETERMINATE ? cbGrayed : cbUnchecked;
}

void TCheckBox::SetState(TCheckBoxState state) {
  state_ = state;
  if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

void TCheckBox::Toggle() {
  switch (State()) {
    case cbUnchecked:
      SetState(cbChecked);
      break;
    case cbChecked:
      SetState(allow_grayed_ ? cbGrayed : cbUnchecked);
      break;
    case cbGrayed:
      SetState(cbUnchecked);
      break;
  }
  if (OnClick) OnClick(this);
}

void TCheckBox::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
    Toggle();
    m.Result = 0;
    return;
  }
  if (m.Msg == BM_SETCHECK) state_ = static_cast<TCheckBoxState>(m.WParam <= 2 ? m.WParam : 0);
  TButtonControl::WndProc(m);
}

void TCheckBox::DescribeProperties(TPropertyTable& table) {
  TButtonControl::DescribeProperties(table);
  table.Enum(
      "State", {"cbUnchecked", "cbChecked", "cbGrayed"}, [this] { return State(); },
      [this](std::int64_t v) { SetState(static_cast<TCheckBoxState>(v)); });
  table.Enum(
      "Checked", {"False", "True"}, [this] { return Checked() ? 1 : 0; },
      [this](std::int64_t v) { SetChecked(v != 0); });
  table.Enum(
      "AllowGrayed", {"False", "True"}, [this] { return allow_grayed_ ? 1 : 0; },
      [this](std::int64_t v) { SetAllowGrayed(v != 0); });
}

// --- TRadioButton -----------------------------------------------------------

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {}

void TRadioButton::CreateParams(TCreateParams& params) {
  params.class_name = L"BUTTON";
  // Automatic: a click and the arrow keys check the button and uncheck the
  // others of its group.
  params.style |= BS_AUTORADIOBUTTON | BS_MULTILINE | SideStyle() | (checked_ ? WS_TABSTOP : 0);
  params.ex_style |= SideExStyle();
}

void TRadioButton::CreateWnd() {
  SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TRadioButton::Checked() const {
  if (!HandleAllocated()) return checked_;
  return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TRadioButton::SetChecked(bool on) {
  checked_ = on;
  if (HandleAllocated()) {
    SendMessageW(Handle(), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
  } else {
    SetTabStop(on);
  }
  if (on) UncheckSiblings();
}

void TRadioButton::UncheckSiblings() {
  TWinControl* parent = Parent();
  if (!parent) return;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i));
    if (other && other != this && other->Checked()) other->SetChecked(false);
  }
}

void TRadioButton::SetTabStop(bool on) {
  if (!HandleAllocated()) return;
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
  SetWindowLongPtrW(Handle(), GWL_STYLE, on ? style | WS_TABSTOP : style & ~DWORD{WS_TABSTOP});
}

void TRadioButton::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
    // The window has checked itself; the others of the parent follow.
    if (Checked()) SetChecked(true);
    if (OnClick) OnClick(this);
    m.Result = 0;
    return;
  }
  TButtonControl::WndProc(m);
  if (m.Msg == BM_SETCHECK) {
    checked_ = m.WParam == BST_CHECKED;
    SetTabStop(checked_);
  }
}

void TRadioButton::DescribeProperties(TPropertyTable& table) {
  TButtonControl::DescribeProperties(table);
  table.Enum(
      "Checked", {"False", "True"}, [this] { return Checked() ? 1 : 0; },
      [this](std::int64_t v) { SetChecked(v != 0); });
}
