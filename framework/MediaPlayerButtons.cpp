#include "framework/MediaPlayerButtons.h"

namespace {
constexpr const char* kNames[kMediaButtonCount] = {
    "btPlay", "btPause", "btStop", "btNext", "btPrev", "btStep", "btBack", "btRecord", "btEject"};
}  // namespace

TButtonSet AllMediaButtons() {
  return TButtonSet(static_cast<std::uint16_t>((1u << kMediaButtonCount) - 1));
}

const char* MediaButtonName(TMPBtnType button) {
  const int i = static_cast<int>(button);
  return i >= 0 && i < kMediaButtonCount ? kNames[i] : "";
}

std::string MediaButtonsText(TButtonSet buttons) {
  std::string text = "[";
  for (int i = 0; i < kMediaButtonCount; ++i) {
    if (!buttons.Contains(static_cast<TMPBtnType>(i))) continue;
    if (text.size() > 1) text += ',';
    text += kNames[i];
  }
  return text + "]";
}

TButtonSet MediaButtonsFromText(const std::string& text) {
  TButtonSet set;
  for (int i = 0; i < kMediaButtonCount; ++i) {
    if (text.find(kNames[i]) != std::string::npos) set.Include(static_cast<TMPBtnType>(i));
  }
  return set;
}

TMediaButtonRow::TMediaButtonRow(TButtonSet visible, int width) : visible_(visible) {
  for (int i = 0; i < kMediaButtonCount; ++i) {
    if (visible.Contains(static_cast<TMPBtnType>(i))) ++count_;
  }
  button_width_ = count_ > 0 && width > 0 ? width / count_ : 0;
}

int TMediaButtonRow::HitTest(int x) const {
  int left = 0;
  for (int i = 0; i < kMediaButtonCount; ++i) {
    if (!visible_.Contains(static_cast<TMPBtnType>(i))) continue;
    if (x >= left && x <= left + button_width_) return i;
    left += button_width_;
  }
  return kNoMediaButton;
}

int TMediaButtonRow::Left(int button) const {
  if (button < 0 || button >= kMediaButtonCount) return -1;
  if (!visible_.Contains(static_cast<TMPBtnType>(button))) return -1;
  int left = 0;
  for (int i = 0; i < button; ++i) {
    if (visible_.Contains(static_cast<TMPBtnType>(i))) left += button_width_;
  }
  return left;
}
