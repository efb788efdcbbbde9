#pragma once
// The gallery's contact sheets: the whole gallery window, its scroll box's
// content in full (not only the part on show), under each stored skin and
// unskinned, written as PNG files ("sheet-meadow.png" ... "sheet-none.png").
#include <string>

#include "framework/Application.h"
#include "tools/gallery/GalleryForm.h"

// Writes the sheets into `folder` (made when missing). Returns 0, or 1 with
// a message on the standard error output when a file cannot be written.
int WriteContactSheets(TApplication& application, TGalleryForm& form, const std::wstring& folder);
