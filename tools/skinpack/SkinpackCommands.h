#pragma once
// The commands of the skinpack tool, apart from the program entry so that
// tests can run them:
//   skinpack pack DIR OUT.skn    every .bmp and the one .ini of DIR into a package
//   skinpack unpack IN.skn DIR   every member of a package into DIR
//   skinpack list IN.skn         members and their sizes
// Paths are UTF-8. Returns the exit code: 0 done, 1 bad input, 2 bad usage.
#include <ostream>
#include <string>
#include <vector>

int RunSkinpack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
