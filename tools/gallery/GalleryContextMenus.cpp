// The gallery's context menus.
#include "tools/gallery/GalleryForm.h"

void TGalleryForm::BuildContextMenus() {
}
