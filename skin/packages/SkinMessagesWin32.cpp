#include <windows.h>

#include "framework/Unicode.h"
#include "skin/packages/SkinMessages.h"

void TSkinMessageBox::ShowMessage(const std::string& text) {
  const std::wstring wide_text = Utf8ToWide(text);
  const std::wstring wide_caption = Utf8ToWide(caption_);
  MessageBoxW(nullptr, wide_text.c_str(), wide_caption.c_str(), MB_OK);
}
