// The gallery's tabs and pages: the area x 310-972, y 900-1180 of the scroll box.
#include "tools/gallery/GalleryForm.h"

void TGalleryForm::BuildTabs(TWinControl&) {}
