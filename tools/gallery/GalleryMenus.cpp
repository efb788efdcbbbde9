// The gallery's the form's main menu and the context menus.
#include "tools/gallery/GalleryForm.h"

void TGalleryForm::BuildMenus() {
}
