#pragma once
// TGalleryMdiWindow: the gallery's MDI window. A frame with a menu bar
// ("文件" and "窗口": new child, tile, cascade, arrange icons, close, and
// the list of children the system keeps) and a few child windows with
// something in them: a text, a form of fields and buttons, a list, bars.
#include <string>

#include "framework/MdiForm.h"
#include "framework/Menus.h"

class TGalleryMdiWindow : public TMdiFrameForm {
 public:
  explicit TGalleryMdiWindow(TComponent* owner);
  ~TGalleryMdiWindow() override;

  // Opens one more child; the kind of content goes round the four kinds.
  TForm& NewChild();

  TMainMenu* MainMenu = nullptr;
  TMenuItem* WindowItem = nullptr;

 private:
  void FillText(TForm& child);
  void FillFields(TForm& child);
  void FillList(TForm& child);
  void FillBars(TForm& child);

  int made_ = 0;
};
