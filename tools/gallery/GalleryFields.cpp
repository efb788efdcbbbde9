// The gallery's edits and spin edits: the area x 8-308, y 644-890 of the scroll box.
#include "tools/gallery/GalleryForm.h"

void TGalleryForm::BuildFields(TWinControl& /*box*/) {
}
