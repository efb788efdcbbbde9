#pragma once
// Errors of the console command runner.
#include <string>

#include "framework/Exceptions.h"

// Execute was called without a command line.
class EDosCommand : public Exception {
 public:
  EDosCommand() : Exception("No Commandline to execute") {}
};

// The program of the command line could not be started. The message is the
// command line (UTF-8) followed by " doesn't exist.".
class TCreateProcessError : public Exception {
 public:
  explicit TCreateProcessError(const std::string& command_line)
      : Exception(command_line + " doesn't exist.") {}
};
