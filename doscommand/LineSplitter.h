#pragma once
// TLineSplitter cuts a child's output into lines, one read at a time.
// Byte 0 is dropped; LF ends a line; CR ends a line and swallows an LF that
// directly follows it in the same read (an LF that starts the next read ends
// an empty line). What is left of an unfinished line is kept for the next
// read and reported after each read that leaves it non-empty.
#include <functional>
#include <string>
#include <string_view>

#include "doscommand/OutputType.h"

class TLineSplitter {
 public:
  using LineFn = std::function<void(const std::string& line, TOutputType type)>;

  // Scans one read. `complete` is called for every line that ends in it
  // (otEntireLine) and once more for the unfinished rest (otBeginningOfLine)
  // when there is one. When `stop` turns true the scan ends and the rest of
  // the read is dropped.
  void Feed(std::string_view bytes, const LineFn& report, const std::function<bool()>& stop = {});
  // Takes what is left of an unfinished line (empty when none).
  std::string TakeRest();
  const std::string& Current() const { return current_; }

 private:
  std::string current_;
};
