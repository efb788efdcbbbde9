// The gallery's MDI window: the area x 610-972, y 1190-1290 of the scroll box.
#include "tools/gallery/GalleryForm.h"

void TGalleryForm::BuildMdi(TWinControl&) {}
