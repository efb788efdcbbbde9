#pragma once
// The caption component: TSkinCaption switches the caption setting of every
// skinned frame of the process and has them recompute and repaint their
// frames. TClassAcSkin and TClassAcButton are empty components kept so that
// forms that name them can be built.
//
// The caption setting and the alpha value are process-wide: one flag and
// one value for the whole program, whatever the number of components.
#include <cstdint>
#include <string>

#include "framework/Component.h"

// The text the component always reports as its author.
inline constexpr char kSkinCaptionAuthor[] = "Tonmill skin engine";

class TSkinCaption : public TComponent {
 public:
  explicit TSkinCaption(TComponent* owner);

  bool Active() const;
  // Stores the process-wide setting; skinned frames are recomputed.
  void SetActive(bool value);
  const std::string& Author() const { return author_; }
  // Writing the author changes nothing.
  void SetAuthor(const std::string&) {}
  std::uint8_t SkinAlpha() const { return skin_alpha_; }
  void SetSkinAlpha(std::uint8_t value) { skin_alpha_ = value; }

  bool Designing() const { return designing_; }
  void SetDesigning(bool value) { designing_ = value; }
  // The owner has finished loading: the alpha value becomes the process's.
  void Loaded();

  void DescribeProperties(TPropertyTable& table) override;

 private:
  std::string author_ = kSkinCaptionAuthor;
  std::uint8_t skin_alpha_ = 0;
  bool designing_ = false;
};

// The process-wide caption setting (true from program start) and alpha.
bool SkinCaptionActive();
std::uint8_t SkinCaptionAlpha();

class TClassAcSkin : public TComponent {
 public:
  explicit TClassAcSkin(TComponent* owner) : TComponent(owner) {}
  ~TClassAcSkin() override { first_ = 0; }

 private:
  std::int32_t first_ = 0;
  [[maybe_unused]] std::int32_t second_ = 0;
};

class TClassAcButton : public TComponent {
 public:
  explicit TClassAcButton(TComponent* owner) : TComponent(owner) {}

 private:
  [[maybe_unused]] std::int32_t first_ = 0;
  [[maybe_unused]] std::int32_t second_ = 0;
};
