#pragma once
// TStartPanel: the program's own start page. It fills the start page's area
// whenever no browser control shows the web page (none can be made, as under
// Wine without an HTML engine): the program's name and version, how to use
// it in three steps, and where the skins are chosen, in the skin's content
// colours (Window under WindowText), so it reads under every skin.
#include "framework/Control.h"
#include "framework/GdiObjects.h"
#include "skin/data/WinSkinData.h"

class TStartPanel : public TWinControl {
 public:
  // `skin` is the window's skin data; it outlives the panel.
  TStartPanel(TComponent* owner, const TSkinData& skin);

 protected:
  void WndProc(TMessage& message) override;

 private:
  void Paint(HDC dc);
  // The heading's face: the window's font made larger and bold, made again
  // only when the window's font (or its DPI) changes.
  HFONT HeadingFont();

  const TSkinData& skin_;
  TOwnedFont heading_;
  LOGFONTW heading_source_{};
};
