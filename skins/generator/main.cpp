// skingen: draws the program's own skins.
//   skingen OUTDIR [--no-preview | --preview DIR]
//   skingen --icon FILE.ico
// For every skin it writes OUTDIR/<name>/ (the bitmaps and the definition,
// ready for "skinpack pack") and the preview sheet DIR/<name>.png (DIR is
// OUTDIR/preview unless given). The same sources always give the same bytes.
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "skins/generator/Catalogue.h"
#include "skins/generator/ImageFiles.h"
#include "skins/generator/PreviewSheet.h"
#include "skins/generator/ProgramIcon.h"
#include "skins/generator/SkinBuilder.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--icon") {
    // The program's icon, drawn by the same generator as the skins.
    try {
      skingen::WriteFileBytes(argv[2], skingen::EncodeProgramIcon());
    } catch (const std::exception& e) {
      std::cerr << "skingen: " << e.what() << "\n";
      return 1;
    }
    return 0;
  }
  const bool usage_ok = argc == 2 || (argc == 3 && std::string(argv[2]) == "--no-preview") ||
                        (argc == 4 && std::string(argv[2]) == "--preview");
  if (!usage_ok) {
    std::cerr << "usage: skingen OUTDIR [--no-preview | --preview DIR] | skingen --icon FILE.ico\n";
    return 2;
  }
  const fs::path out = argv[1];
  const bool preview = argc != 3;
  const fs::path preview_dir = argc == 4 ? fs::path(argv[3]) : out / "preview";
  try {
    for (const skingen::TSkinStyle& style : skingen::AllSkins()) {
      const skingen::TBuiltSkin skin = skingen::BuildSkin(style);
      const fs::path dir = out / style.file_stem;
      // A folder left from an earlier run may hold images no longer drawn.
      fs::remove_all(dir);
      fs::create_directories(dir);
      for (const skingen::TSkinImage& image : skin.images) {
        skingen::WriteFileBytes((dir / image.file).string(), skingen::EncodeBmp(image.image));
      }
      skingen::WriteFileBytes(
          (dir / skin.definition_file).string(),
          std::vector<std::uint8_t>(skin.definition.begin(), skin.definition.end()));
      if (preview) {
        fs::create_directories(preview_dir);
        skingen::WritePng((preview_dir / (style.file_stem + ".png")).string(),
                          skingen::DrawPreviewSheet(skin));
      }
    }
  } catch (const std::exception& e) {
    std::cerr << "skingen: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
