// The gallery's combo boxes: the area x 316-616, y 644-890 of the scroll box.
#include "tools/gallery/GalleryForm.h"

void TGalleryForm::BuildCombos(TWinControl& /*box*/) {
}
