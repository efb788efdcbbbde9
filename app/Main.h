#pragma once
// TFrmMain: the program's main window.
#include "framework/Form.h"

class TFrmMain : public TForm {
 public:
  explicit TFrmMain(TComponent* owner);
};
