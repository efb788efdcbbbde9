#include "skin/data/SkinCaption.h"

#include <windows.h>

#include "skin/data/SkinManage.h"
#include "skin/form/WinSkinForm.h"

namespace {

// The caption setting and alpha of the process.
struct TCaptionState {
  bool active = true;
  std::uint8_t alpha = 0;
};

TCaptionState& CaptionState() {
  static TCaptionState state;
  return state;
}

}  // namespace

bool SkinCaptionActive() {
  return CaptionState().active;
}
std::uint8_t SkinCaptionAlpha() {
  return CaptionState().alpha;
}

TSkinCaption::TSkinCaption(TComponent* owner) : TComponent(owner) {}

bool TSkinCaption::Active() const {
  return CaptionState().active;
}

void TSkinCaption::SetActive(bool value) {
  CaptionState().active = value;
  if (designing_ || !SkinManager) return;
  // Every skinned frame is recomputed and repainted under the new setting.
  for (TWinSkinForm* engine : SkinManager->SkinForms()) {
    SetWindowPos(engine->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
}

void TSkinCaption::Loaded() {
  author_ = kSkinCaptionAuthor;
  CaptionState().alpha = skin_alpha_;
}

void TSkinCaption::DescribeProperties(TPropertyTable& table) {
  TComponent::DescribeProperties(table);
  table.Enum(
      "Active", {"False", "True"}, [this] { return Active() ? 1 : 0; },
      [this](std::int64_t v) { SetActive(v != 0); });
  table.Text(
      "Author", [this] { return author_; }, [](const std::string&) {});
  table.Int(
      "SkinAlpha", [this] { return std::int64_t{skin_alpha_}; },
      [this](std::int64_t v) { skin_alpha_ = static_cast<std::uint8_t>(v); });
}
