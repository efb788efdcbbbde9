#pragma once
// The objects of a skinned window's non-client area that react to the
// mouse: TNCObject is their common part (bounds, visibility, state and the
// hot-object rules), TWinSysButton one caption button of the skin.
//
// A caption button keeps the index of its definition in the skin data, not
// a pointer: every skin load rebuilds the definitions, and the engine
// rebuilds its buttons after it.
#include "framework/Graphics.h"

class TDataSkinSysButton;
class TWinSkinForm;

// States of a non-client object; they are also the frame numbers of a
// caption button image.
enum TNCState { nsNormal = 1, nsPressed = 2, nsHot = 3 };

class TNCObject {
 public:
  explicit TNCObject(TWinSkinForm& engine) : engine_(engine) {}
  virtual ~TNCObject() = default;
  TNCObject(const TNCObject&) = delete;
  TNCObject& operator=(const TNCObject&) = delete;

  // The pressed object becomes the engine's hot object.
  virtual void MouseDown();
  virtual void MouseUp();
  // Takes over from another hot object.
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void Paint() {}

  TRect Bounds;
  bool Visible = false;
  TNCState State = nsNormal;

 protected:
  TWinSkinForm& engine_;
};

class TWinSysButton : public TNCObject {
 public:
  TWinSysButton(TWinSkinForm& engine, int definition_index)
      : TNCObject(engine), index_(definition_index) {}

  // The definition in the engine's skin data; null when the skin no longer
  // has it.
  const TDataSkinSysButton* Definition() const;
  int DefinitionIndex() const { return index_; }
  void Paint() override;

 private:
  int index_;
};
