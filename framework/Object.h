#pragma once
// TObject: the root of the framework's classes, and the event types that
// pass the object that raised them as Sender.
#include <functional>

class TObject {
 public:
  virtual ~TObject() = default;
};

// An event with only its sender, such as a timer tick or the end of a run.
using TNotifyEvent = std::function<void(TObject* Sender)>;
