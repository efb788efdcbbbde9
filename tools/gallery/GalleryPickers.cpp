// The gallery's date pickers and track bars: the area x 624-972, y 644-890 of the scroll box.
#include "tools/gallery/GalleryForm.h"

void TGalleryForm::BuildPickers(TWinControl& /*box*/) {
}
