// The gallery's check boxes and radio buttons: the area x 10-300, y 900-1180 of the scroll box.
#include "tools/gallery/GalleryForm.h"

void TGalleryForm::BuildChecks(TWinControl&) {}
