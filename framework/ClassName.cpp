#include "framework/ClassName.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

std::string ClassNameOf(const TObject& object) {
  const char* mangled = typeid(object).name();
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> demangled(
      abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
  std::string name = status == 0 && demangled ? demangled.get() : mangled;
  // Namespaces (and the anonymous one) are not part of a class's name.
  const size_t colons = name.rfind("::");
  if (colons != std::string::npos) name.erase(0, colons + 2);
  return name;
}
