#pragma once
// TSkinControl: what a form engine asks of the skinning object of one child
// control. The engine owns these objects in its list of skinned controls;
// each kind of control has its own class.
#include "framework/Component.h"

// Life states of a skinned control: attached and painting, or its window
// has been destroyed (the engine frees such objects at its next purge).
enum TSkinControlLife { slAttached = 1, slDestroyed = 6 };

class TSkinControl : public TComponent {
 public:
  explicit TSkinControl(TComponent* owner) : TComponent(owner) {}

  virtual TSkinControlLife LifeState() const = 0;
  // Gives the control back everything the skinning took (procedure, colours,
  // styles) while its window lives.
  virtual void Restore() = 0;
  // The skin's images or colours changed: repaint from the new ones.
  virtual void SkinChanged() = 0;
};
