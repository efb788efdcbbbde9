// The gallery's main menu.
#include "tools/gallery/GalleryForm.h"

void TGalleryForm::BuildMenus() {
}
