// make_builtin_bitmaps DIR: writes the program's built-in bitmaps as BMP
// files into DIR (VENEERMENU.bmp, TRACK.bmp, TRACKVERT.bmp). The files in
// this folder are its output; a test checks that they still match.
#include <iostream>
#include <string>

#include "framework/Streams.h"
#include "skin/data/BuiltinBitmaps.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_builtin_bitmaps DIR\n";
    return 2;
  }
  for (const char* name : kBuiltinBitmapNames) {
    const std::string path = std::string(argv[1]) + "/" + name + ".bmp";
    try {
      TBytesStream(BuiltinBitmapFile(name)).SaveToFile(path);
    } catch (const Exception& e) {
      std::cerr << e.Message() << "\n";
      return 1;
    }
    std::cout << "wrote " << path << "\n";
  }
  return 0;
}
