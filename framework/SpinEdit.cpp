#include "framework/SpinEdit.h"

#include <algorithm>
#include <cwchar>
#include <string>

#include "framework/Dpi.h"
#include "framework/UpDown.h"

TSpinEdit::TSpinEdit(TComponent* owner) : TEdit(owner) {
  SetBounds(0, 0, 121, 22);
  SetText(L"0");
  button_ = &OwnedComponent<TUpDown>(*this);
  button_->SetMin(min_);
  button_->SetMax(max_);
  button_->OnChange = [this](TObject*) { SetValue(button_->Position()); };
}

TSpinEdit::~TSpinEdit() {
  DestroyHandle();
}

void TSpinEdit::CreateParams(TCreateParams& params) {
  TEdit::CreateParams(params);
  // The buttons inside are not painted over by the text.
  params.style |= WS_CLIPCHILDREN;
}

void TSpinEdit::CreateWnd() {
  button_->SetParent(this);
  PlaceButton();
}

void TSpinEdit::PlaceButton() {
  if (!HandleAllocated()) return;
  RECT client{};
  GetClientRect(Handle(), &client);
  // The client area is in pixels at the edit's DPI; bounds are 96-DPI units.
  const int dpi = Dpi();
  const int width = std::min<int>(SystemMetricsForDpi(SM_CXVSCROLL, dpi), client.right);
  button_->SetBounds(UnscaleForDpi(client.right - width, dpi), 0, UnscaleForDpi(width, dpi),
                     UnscaleForDpi(client.bottom, dpi));
  SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width + 1));
}

int TSpinEdit::Clamp(int value) const {
  return std::clamp(value, std::min(min_, max_), std::max(min_, max_));
}

int TSpinEdit::Value() const {
  const std::wstring text = Text();
  wchar_t* end = nullptr;
  const long read = std::wcstol(text.c_str(), &end, 10);
  if (text.empty() || !end || *end != L'\0' || end == text.c_str()) return Clamp(min_);
  const long limited = std::clamp<long>(read, -0x7FFFFFFFL, 0x7FFFFFFFL);
  return Clamp(static_cast<int>(limited));
}

void TSpinEdit::SetValue(int value) {
  const std::wstring text = std::to_wstring(Clamp(value));
  if (text != Text()) SetText(text);
  if (button_->Position() != Clamp(value)) button_->SetPosition(Clamp(value));
}

void TSpinEdit::SetMinValue(int min) {
  min_ = min;
  button_->SetMin(min);
  SetValue(Value());
}

void TSpinEdit::SetMaxValue(int max) {
  max_ = max;
  button_->SetMax(max);
  SetValue(Value());
}

void TSpinEdit::SetIncrement(int increment) {
  increment_ = std::max(increment, 1);
  button_->SetIncrement(increment_);
}

void TSpinEdit::Step(int steps) {
  const long long next =
      static_cast<long long>(Value()) + static_cast<long long>(steps) * increment_;
  SetValue(static_cast<int>(std::clamp<long long>(next, -0x7FFFFFFFLL, 0x7FFFFFFFLL)));
}

void TSpinEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      if (HIWORD(m.WParam) == EN_CHANGE) {
        // Typed or stepped: the buttons follow the text.
        button_->SetPosition(Value());
        if (OnChange) OnChange(this);
        m.Result = 0;
        return;
      }
      break;
    case WM_KEYDOWN:
      if (m.WParam == VK_UP || m.WParam == VK_DOWN) {
        Step(m.WParam == VK_UP ? 1 : -1);
        m.Result = 0;
        return;
      }
      break;
    case WM_ENABLE:
      if (button_->HandleAllocated()) EnableWindow(button_->Handle(), m.WParam ? TRUE : FALSE);
      break;
    case WM_SIZE:
      TEdit::WndProc(m);
      PlaceButton();
      return;
    default:
      break;
  }
  TEdit::WndProc(m);
}

void TSpinEdit::DescribeProperties(TPropertyTable& table) {
  TEdit::DescribeProperties(table);
  table.Int(
      "Value", [this] { return Value(); },
      [this](std::int64_t v) { SetValue(static_cast<int>(v)); });
  table.Int(
      "MinValue", [this] { return min_; },
      [this](std::int64_t v) { SetMinValue(static_cast<int>(v)); });
  table.Int(
      "MaxValue", [this] { return max_; },
      [this](std::int64_t v) { SetMaxValue(static_cast<int>(v)); });
  table.Int(
      "Increment", [this] { return increment_; },
      [this](std::int64_t v) { SetIncrement(static_cast<int>(v)); });
}
