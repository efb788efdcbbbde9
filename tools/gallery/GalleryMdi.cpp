// The gallery's MDI window: the area x 610-972, y 1190-1290 of the scroll
// box holds the button that opens it.
#include "tools/gallery/GalleryForm.h"
#include "tools/gallery/GalleryMdiWindow.h"
#include "tools/gallery/GalleryPlace.h"

namespace {
constexpr char kMdiWindowName[] = "MdiWindow";

}  // namespace

void TGalleryForm::BuildMdi(TWinControl& box) {
  TGroupBox& group = Group(box, 610, 1190, 362, 100, L"MDI 窗口");
  Place<TLabel>(*this, group, 14, 24, 330, 16, L"一个框架窗口，里面有几个子窗口和“窗口”菜单");
  TButton& open = Place<TButton>(*this, group, 14, 52, 120, 28, L"MDI 窗口…");
  open.OnClick = [this](TObject*) {
    // Made on first use and kept: closing it only hides it.
    auto* window = dynamic_cast<TGalleryMdiWindow*>(FindComponent(kMdiWindowName));
    if (!window) {
      window = &OwnedComponent<TGalleryMdiWindow>(*this);
      window->SetName(kMdiWindowName);
    }
    window->Show();
    SetForegroundWindow(window->Handle());
  };
}
