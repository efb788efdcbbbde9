// The gallery's edits and spin edits: the area x 8-308, y 644-890 of the scroll box.
#include <string>

#include "framework/Memo.h"
#include "framework/SpinEdit.h"
#include "framework/StdCtrls.h"
#include "framework/UpDown.h"
#include "tools/gallery/GalleryForm.h"
#include "tools/gallery/GalleryPlace.h"

namespace {

// An edit whose text reads from the right.
class TRightToLeftEdit : public TEdit {
 public:
  using TEdit::TEdit;

 protected:
  void CreateParams(TCreateParams& params) override {
    TEdit::CreateParams(params);
    params.style |= ES_RIGHT;
    params.ex_style |= WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR;
  }
};

TEdit& Field(TComponent& owner, TWinControl& parent, int top, const std::wstring& text) {
  TEdit& edit = Place<TEdit>(owner, parent, 10, top, 135, 24);
  edit.SetText(text);
  return edit;
}

}  // namespace

void TGalleryForm::BuildFields(TWinControl& box) {
  TGroupBox& group = Place<TGroupBox>(*this, box, 8, 644, 300, 240);
  group.SetCaption(L"编辑框");
  Field(*this, group, 20, L"普通的文字");
  Field(*this, group, 48, L"禁用的文字").SetEnabled(false);
  Field(*this, group, 76, L"只读的文字").SetReadOnly(true);
  TEdit& bare = Field(*this, group, 104, L"没有边框");
  ApplyControlBorder(bare.Handle(), cbNone);
  Place<TRightToLeftEdit>(*this, group, 10, 132, 135, 24).SetText(L"从右到左");

  TSpinEdit& spin = Place<TSpinEdit>(*this, group, 10, 160, 135, 24);
  spin.SetMaxValue(320);
  spin.SetIncrement(8);
  spin.SetValue(128);
  TSpinEdit& spin_off = Place<TSpinEdit>(*this, group, 10, 188, 135, 24);
  spin_off.SetValue(7);
  spin_off.SetEnabled(false);

  TMemo& memo = Place<TMemo>(*this, group, 155, 20, 135, 84);
  memo.SetScrollBars(ssNone);
  memo.SetLines({L"多行的文字,", L"在皮肤的内容颜色里。", L"Lines of text in the",
                 L"skin's content colours."});

  TUpDown& upright = Place<TUpDown>(*this, group, 155, 116, 17, 44);
  upright.SetMax(10);
  upright.SetPosition(5);
  TUpDown& pair = Place<TUpDown>(*this, group, 185, 126, 44, 20);
  pair.SetHorizontal(true);
  pair.SetMax(10);
  pair.SetPosition(5);
}
