// The gallery's media player: the area x 10-600, y 1190-1290 of the scroll box.
#include "tools/gallery/GalleryForm.h"

void TGalleryForm::BuildMedia(TWinControl&) {}
