#pragma once
// TProcedureThunk: a window procedure of one object's own, a few
// instructions that put the object where the window handle was and jump to
// `target`, so that the object needs no lookup by its window. Owns its
// memory (written, then made executable and no longer writable). Null where
// it cannot be made: on other processors than x86-64, or where the system
// refuses code made at run time.
#include <windows.h>

class TProcedureThunk {
 public:
  TProcedureThunk(void* object, WNDPROC target);
  ~TProcedureThunk();
  TProcedureThunk(const TProcedureThunk&) = delete;
  TProcedureThunk& operator=(const TProcedureThunk&) = delete;

  // The procedure, or null.
  WNDPROC Get() const { return reinterpret_cast<WNDPROC>(code_); }

 private:
  void* code_ = nullptr;
};
