#pragma once
// The gallery's contact sheets: the whole gallery window, its scroll box's
// content in full (not only the part on show), under each stored skin and
// unskinned, written as PNG files ("sheet-meadow.png" ... "sheet-none.png").
// A sheet shows the window as it would look large enough for its content
// at the window's DPI: the content at its scaled size, the frame, bars and
// status bars round it, and no scroll bars.
#include <string>
#include <vector>

#include "framework/Application.h"
#include "tools/gallery/GalleryForm.h"

// Writes the sheets into `folder` (made when missing): of every skin, or of
// those named in `only` by their file names' part ("nightfall", "none").
// Returns 0, or 1 with a message on the standard error output when a file
// cannot be written or no skin has a name asked for.
int WriteContactSheets(TApplication& application, TGalleryForm& form, const std::wstring& folder,
                       const std::vector<std::wstring>& only = {});
