#pragma once
// TGalleryForm: the window of the skin gallery. It shows every kind of
// control the skin engine skins, grouped and labelled, in their normal,
// disabled, focused, pressed, checked and scrolled states, and lets the
// user choose one of the program's stored skins, a .skn file, or no skin.
#include <memory>
#include <string>
#include <vector>

#include "framework/Buttons.h"
#include "framework/ComCtrls.h"
#include "framework/Form.h"
#include "framework/HeaderControl.h"
#include "framework/ImageList.h"
#include "framework/Memo.h"
#include "framework/Menus.h"
#include "framework/ScrollBar.h"
#include "framework/ScrollBox.h"
#include "framework/StatusBar.h"
#include "framework/StdCtrls.h"
#include "framework/ToolBar.h"
#include "skin/data/WinSkinData.h"
#include "skin/packages/WinSkinStore.h"

// What the gallery starts with: a stored skin by index, a skin file, or
// nothing.
struct TGalleryStart {
  int stored = 2;
  std::wstring file;
  bool no_skin = false;
};
// Reads the command line's one argument: an index 0-4 or a .skn path.
TGalleryStart ParseGalleryCommandLine(const std::wstring& argument);

class TGalleryForm : public TForm {
 public:
  TGalleryForm(TComponent* owner, TSkinEnvironment& skins, const TGalleryStart& start);
  ~TGalleryForm() override;

  // The size of the scroll box's content, in 96-DPI units.
  static constexpr int kContentWidth = 980;
  static constexpr int kContentHeight = 1300;

  // Shows stored skin `index` (0-4), the skin file `path`, or no skin.
  void ChooseStored(int index);
  void ChooseFile(const std::wstring& path);
  void ChooseNone();

  TSkinStore* SkinStore1 = nullptr;
  TSkinData* SkinData1 = nullptr;
  // The controls a person (or a test) looks at.
  TButton* FocusedButton = nullptr;
  TListView* List = nullptr;
  TMemo* Memo = nullptr;
  TStatusBar* Status = nullptr;

 protected:
  void WndProc(TMessage& message) override;

 private:
  template <class T>
  T& Make(TWinControl& parent, int left, int top, int width, int height, const std::wstring& text);
  TGroupBox& Group(TWinControl& parent, int left, int top, int width, int height,
                   const std::wstring& caption);
  void BuildSkinBar();
  // Places the skin bar's buttons in as many rows as its width needs.
  void LayOutSkinBar();
  void BuildButtons(TWinControl& box);
  void BuildContainers(TWinControl& box);
  void BuildScrolling(TWinControl& box);
  void BuildStatusBars();
  // The rows below the first ones, each kept in a file of its own:
  // edits and spin edits (GalleryFields.cpp), combo boxes
  // (GalleryCombos.cpp), date pickers and track bars (GalleryPickers.cpp),
  // check boxes and radio buttons (GalleryChecks.cpp), tabs and pages
  // (GalleryTabs.cpp), the media player (GalleryMedia.cpp), the MDI window
  // (GalleryMdi.cpp), the main menu (GalleryMenus.cpp), context menus
  // (GalleryContextMenus.cpp).
  void BuildFields(TWinControl& box);
  void BuildCombos(TWinControl& box);
  void BuildPickers(TWinControl& box);
  void BuildChecks(TWinControl& box);
  void BuildTabs(TWinControl& box);
  void BuildMedia(TWinControl& box);
  void BuildMdi(TWinControl& box);
  void BuildMenus();
  void BuildContextMenus();
  void ShowSkinName(const std::wstring& name);
  void PickFile();

  std::vector<TSpeedButton*> skin_buttons_;
  TSpeedButton* no_skin_button_ = nullptr;
  TPanel* skin_bar_ = nullptr;
  TButton* open_button_ = nullptr;
  TImageList images_{16, 16};
  std::unique_ptr<TPopupMenu> menu_;
};
