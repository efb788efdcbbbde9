#pragma once
// Placing a control of the gallery: made, owned by `owner`, put at its
// bounds inside `parent` (and given its caption).
#include <string>

#include "framework/Control.h"

template <class T>
T& Place(TComponent& owner, TWinControl& parent, int left, int top, int width, int height) {
  T& control = OwnedComponent<T>(owner);
  control.SetBounds(left, top, width, height);
  control.SetParent(&parent);
  return control;
}

template <class T>
T& Place(TComponent& owner, TWinControl& parent, int left, int top, int width, int height,
         const std::wstring& text) {
  T& control = OwnedComponent<T>(owner);
  control.SetBounds(left, top, width, height);
  control.SetCaption(text);
  control.SetParent(&parent);
  return control;
}
