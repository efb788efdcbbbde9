#pragma once
// Exception classes of the framework. Messages are fixed texts in UTF-8;
// user-interface code converts them to UTF-16 when it shows them.
#include <stdexcept>
#include <string>

// The framework's plain exception: every exception class of the program
// derives from it, so a handler can catch them all and show Message().
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

// Raised by a string-to-number conversion that has no default to fall back on.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// Raised by list and collection accessors for an index outside the list.
class EListError : public Exception {
 public:
  using Exception::Exception;
};
