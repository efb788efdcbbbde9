#include "app/Main.h"

namespace {
// The caption begins with the product and version; the rest is the contact line.
constexpr wchar_t kCaption[] = L"Tonmill v2.2 - tonmill.example.org";

TFormStyle MainWindowStyle() {
  TFormStyle style;
  style.caption = kCaption;
  style.client_width = 533;
  style.client_height = 456;
  return style;
}
}  // namespace

TFrmMain::TFrmMain(TComponent* owner) : TForm(owner, MainWindowStyle()) {}
