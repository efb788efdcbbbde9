#pragma once
// Where the skin readers send the few messages that the user should see. The
// Windows program shows them in a plain message box (TSkinMessageBox); tools
// and tests collect or print them.
#include <string>

class TSkinMessageSink {
 public:
  virtual ~TSkinMessageSink() = default;
  // `text` is UTF-8; lines are separated by CR.
  virtual void ShowMessage(const std::string& text) = 0;
};

#ifdef _WIN32
// Shows each message in a message box with an OK button, owned by no window.
class TSkinMessageBox : public TSkinMessageSink {
 public:
  // `caption` (UTF-8) is the title of the boxes, normally the program's title.
  explicit TSkinMessageBox(std::string caption) : caption_(std::move(caption)) {}
  void ShowMessage(const std::string& text) override;

 private:
  std::string caption_;
};
#endif
