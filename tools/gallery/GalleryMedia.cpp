// The gallery's media player: the area x 10-600, y 1190-1290 of the scroll box.
#include "framework/MediaPlayer.h"
#include "tools/gallery/GalleryForm.h"

namespace {
TMediaPlayer& Player(TComponent& owner, TWinControl& parent, int left, int top, int width) {
  TMediaPlayer& player = OwnedComponent<TMediaPlayer>(owner);
  player.SetBounds(left, top, width, 30);
  player.SetParent(&parent);
  // Without a file every button does nothing; the click is still heard.
  player.OnClick = [](TObject*, TMPBtnType, bool&) {};
  return player;
}
}  // namespace

void TGalleryForm::BuildMedia(TWinControl& box) {
  TGroupBox& group = Group(box, 10, 1190, 590, 100, L"媒体播放器");
  // Every button, coloured glyphs on the moving buttons only.
  TMediaPlayer& all = Player(*this, group, 10, 20, 279);
  all.SetColoredButtons(TButtonSet{btPlay, btPause, btStop, btRecord});
  // Some buttons disabled, as before a file is opened.
  TMediaPlayer& some = Player(*this, group, 300, 20, 279);
  some.SetEnabledButtons(TButtonSet{btPlay, btEject});
  some.SetColoredButtons(TButtonSet{});
  // Only play, pause and stop shown.
  TMediaPlayer& few = Player(*this, group, 10, 60, 120);
  few.SetVisibleButtons(TButtonSet{btPlay, btPause, btStop});
  // No buttons at all: the bare face.
  Player(*this, group, 150, 60, 100).SetVisibleButtons(TButtonSet{});
}
