#pragma once
// The main window's components as one table: name, kind, parent, alignment,
// position and text, in creation order (aligned blocks stack in this order).
#include <string_view>

#include "framework/Control.h"

enum class TMainKind {
  WebBrowser,
  GroupBox,
  Panel,
  ListView,
  Button,
  Edit,
  Label,
  ProgressBar,
  ComboBox
};

struct TMainComponent {
  const char* name;
  TMainKind kind;
  const char* parent;  // nullptr: the form itself
  TAlign align;
  int left, top, width, height;
  const wchar_t* text;
};

// The table; its rows are built by TFrmMain in order.
std::basic_string_view<TMainComponent> MainLayout();
