#include "doscommand/LineSplitter.h"

void TLineSplitter::Feed(std::string_view bytes, const LineFn& report,
                         const std::function<bool()>& stop) {
  size_t i = 0;
  while (i < bytes.size()) {
    if (stop && stop()) break;
    const char c = bytes[i];
    if (c == '\0') {
      ++i;
      continue;
    }
    if (c == '\n' || c == '\r') {
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      std::string line;
      line.swap(current_);
      report(line, otEntireLine);
      ++i;
      continue;
    }
    current_.push_back(c);
    ++i;
  }
  if (!current_.empty()) report(current_, otBeginningOfLine);
}

std::string TLineSplitter::TakeRest() {
  std::string rest;
  rest.swap(current_);
  return rest;
}
