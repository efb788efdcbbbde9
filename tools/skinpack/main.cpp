// Program entry of skinpack. On Windows the arguments arrive as UTF-16
// (wmain) and are handed on as UTF-8 like everywhere else.
#include <iostream>
#include <string>
#include <vector>

#include "tools/skinpack/SkinpackCommands.h"

#ifdef _WIN32
#include "framework/Unicode.h"

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(WideToUtf8(argv[i]));
  return RunSkinpack(args, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return RunSkinpack(args, std::cout, std::cerr);
}
#endif
