#include "framework/Subclass.h"

#include <list>
#include <memory>

#include "framework/HandleCount.h"
#include "framework/ProcedureThunk.h"

namespace {
// Names the chain on its window.
constexpr wchar_t kChainProp[] = L"TonmillSubclassChain";
// The chain's one layer of the system's helper on a window that has
// another procedure than its class's.
constexpr UINT_PTR kHostedId = 0x7C4A;

// Whether the window runs its class's own procedure, which nobody has
// replaced yet.
bool RunsClassProcedure(HWND window, bool unicode) {
  const LONG_PTR own =
      unicode ? GetWindowLongPtrW(window, GWLP_WNDPROC) : GetWindowLongPtrA(window, GWLP_WNDPROC);
  const ULONG_PTR of_class =
      unicode ? GetClassLongPtrW(window, GCLP_WNDPROC) : GetClassLongPtrA(window, GCLP_WNDPROC);
  return own != 0 && static_cast<ULONG_PTR>(own) == of_class;
}
}  // namespace

// The layers of one window, newest first. Owned by itself while it is on
// its window (the property holds a plain pointer), by each layer owner that
// used it, and by every message running through it.
class TSubclassChain : public std::enable_shared_from_this<TSubclassChain> {
 public:
  explicit TSubclassChain(HWND window) : window_(window), next_(layers_.end()) {}

  // The chain on `window`, put on it first when it has none; null when the
  // window's procedure cannot be replaced.
  //
  // On a window that still runs its class's procedure the chain puts its
  // own procedure on. A window somebody has subclassed already gets the
  // chain as one layer of the system's helper instead: that helper puts
  // its saved procedure back when its last layer goes (Wine's does so
  // without looking), which would cut off a procedure put on above it.
  static std::shared_ptr<TSubclassChain> Attach(HWND window) {
    if (auto* chain = static_cast<TSubclassChain*>(GetPropW(window, kChainProp))) {
      return chain->shared_from_this();
    }
    auto chain = std::make_shared<TSubclassChain>(window);
    if (!SetPropW(window, kChainProp, chain.get())) return nullptr;
    // An ANSI window stays one: its layers see its messages as ANSI, as
    // its own procedure does.
    chain->unicode_ = IsWindowUnicode(window) != FALSE;
    chain->hosted_ = !RunsClassProcedure(window, chain->unicode_);
    if (!(chain->hosted_ ? chain->PutOnHosted() : chain->PutOnOwn())) {
      RemovePropW(window, kChainProp);
      return nullptr;
    }
    chain->attached_ = chain;
    return chain;
  }

  static TSubclassChain* Of(HWND window) {
    return window ? static_cast<TSubclassChain*>(GetPropW(window, kChainProp)) : nullptr;
  }

  // A layer on top; the same procedure and id again only take the new data.
  void Add(SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
    for (TLayer& layer : layers_) {
      if (!layer.removed && layer.proc == proc && layer.id == id) {
        layer.data = data;
        return;
      }
    }
    layers_.push_front(TLayer{proc, id, data, false});
  }

  // Takes a layer off. While messages run through the chain the layer only
  // stops being called: the position of each running message may still
  // point at it.
  void Take(SUBCLASSPROC proc, UINT_PTR id) {
    for (TLayer& layer : layers_) {
      if (!layer.removed && layer.proc == proc && layer.id == id) {
        layer.removed = true;
        break;
      }
    }
    if (running_ == 0) Sweep();
  }

  // The next layer below the one running now, or the window's own
  // procedure after the last.
  LRESULT CallNext(UINT msg, WPARAM wp, LPARAM lp) {
    while (next_ != layers_.end() && next_->removed) ++next_;
    if (next_ == layers_.end()) {
      if (hosted_) return DefSubclassProc(window_, msg, wp, lp);
      return unicode_ ? CallWindowProcW(original_, window_, msg, wp, lp)
                      : CallWindowProcA(original_, window_, msg, wp, lp);
    }
    const auto at = next_;
    const TLayer layer = *at;
    ++next_;
    const LRESULT result = layer.proc(window_, msg, wp, lp, layer.id, layer.data);
    // A layer that passes on twice reaches the same layers twice.
    next_ = at;
    return result;
  }

 private:
  struct TLayer {
    SUBCLASSPROC proc;
    UINT_PTR id;
    DWORD_PTR data;
    bool removed;
  };

  // A message from the system: every layer from the newest down. Nested
  // messages (sent while one runs) start at the top again and leave the
  // outer one's position as it was.
  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    const std::shared_ptr<TSubclassChain> keep = shared_from_this();
    struct TRunning {
      TSubclassChain& chain;
      std::list<TLayer>::iterator saved;
      ~TRunning() {
        chain.next_ = saved;
        --chain.running_;
      }
    } running{*this, next_};
    ++running_;
    next_ = layers_.begin();
    const LRESULT result = CallNext(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
      // The window ends: every layer is off it, whoever still holds one.
      for (TLayer& layer : layers_) layer.removed = true;
      ending_ = true;
    }
    return result;
  }

  // With no message running: forgets the layers taken off, and leaves the
  // window when none is left or the window ends.
  void Sweep() {
    layers_.remove_if([](const TLayer& layer) { return layer.removed; });
    next_ = layers_.end();
    if (layers_.empty() || ending_) Detach();
  }

  // As one layer of the system's helper, which finds the chain by the
  // layer's reference data.
  bool PutOnHosted() {
    return SetWindowSubclass(window_, &HostedProc, kHostedId, reinterpret_cast<DWORD_PTR>(this));
  }

  // As the window's procedure: the chain's own, which finds it without a
  // lookup, or the shared one, which looks it up by the window.
  bool PutOnOwn() {
    thunk_ = std::make_unique<TProcedureThunk>(this, &Thunked);
    SetLastError(0);
    const LONG_PTR original = SetProcedure(Entry());
    if (!original && GetLastError() != 0) return false;
    original_ = reinterpret_cast<WNDPROC>(original);
    return true;
  }

  void Detach() {
    if (!attached_) return;
    if (hosted_) {
      RemoveWindowSubclass(window_, &HostedProc, kHostedId);
    } else {
      const LONG_PTR now = unicode_ ? GetWindowLongPtrW(window_, GWLP_WNDPROC)
                                    : GetWindowLongPtrA(window_, GWLP_WNDPROC);
      const bool ours = now == Entry();
      // A procedure put on the window after ours calls ours as the one
      // before it: the chain stays on, passing everything through, until
      // the window ends.
      if (!ours && !ending_) return;
      if (ours) SetProcedure(reinterpret_cast<LONG_PTR>(original_));
    }
    RemovePropW(window_, kChainProp);
    attached_.reset();  // may be the last owner: nothing of this after it
  }

  // The procedure the chain puts on its window.
  LONG_PTR Entry() const {
    if (thunk_ && thunk_->Get()) return reinterpret_cast<LONG_PTR>(thunk_->Get());
    return reinterpret_cast<LONG_PTR>(&EntryProc);
  }

  // Called by the chain's own procedure, with the chain where the window
  // handle was.
  static LRESULT CALLBACK Thunked(HWND chain, UINT msg, WPARAM wp, LPARAM lp) {
    return Run(*reinterpret_cast<TSubclassChain*>(chain), msg, wp, lp);
  }

  static LRESULT CALLBACK EntryProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    TSubclassChain* chain = Of(window);
    if (!chain) return DefWindowProcW(window, msg, wp, lp);
    return Run(*chain, msg, wp, lp);
  }

  static LRESULT CALLBACK HostedProc(HWND, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                     DWORD_PTR ref) {
    return Run(*reinterpret_cast<TSubclassChain*>(ref), msg, wp, lp);
  }

  static LRESULT Run(TSubclassChain& chain, UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    try {
      const std::shared_ptr<TSubclassChain> keep = chain.shared_from_this();
      result = chain.Dispatch(msg, wp, lp);
      if (keep->running_ == 0 && (keep->ending_ || keep->layers_.empty() || keep->HasRemoved())) {
        // Also a chain left on only to pass messages through comes off
        // once the procedures put on after it have gone.
        keep->Sweep();
      }
    } catch (...) {
      // Every layer catches its own failures; nothing leaves a window
      // procedure whatever happens.
    }
    return result;
  }

  LONG_PTR SetProcedure(LONG_PTR proc) {
    return unicode_ ? SetWindowLongPtrW(window_, GWLP_WNDPROC, proc)
                    : SetWindowLongPtrA(window_, GWLP_WNDPROC, proc);
  }

  bool HasRemoved() const {
    for (const TLayer& layer : layers_) {
      if (layer.removed) return true;
    }
    return false;
  }

  HWND window_;
  WNDPROC original_ = nullptr;
  bool unicode_ = true;
  std::unique_ptr<TProcedureThunk> thunk_;  // the chain's own procedure, when on its own
  bool hosted_ = false;               // a layer of the system's helper, not a procedure of its own
  std::list<TLayer> layers_;          // newest first
  std::list<TLayer>::iterator next_;  // where the running message goes next
  int running_ = 0;                   // messages running through the chain
  bool ending_ = false;               // WM_NCDESTROY has been through
  std::shared_ptr<TSubclassChain> attached_;  // itself, while on the window
};

bool TWindowSubclass::Install(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
  Remove();
  if (!window || !proc) return false;
  std::shared_ptr<TSubclassChain> chain = TSubclassChain::Attach(window);
  if (!chain) return false;
  chain->Add(proc, id, data);
  chain_ = std::move(chain);
  window_ = window;
  proc_ = proc;
  id_ = id;
  CountHandle(THandleKind::hkSubclass, 1);
  return true;
}

void TWindowSubclass::Remove() {
  if (!window_) return;
  // The chain is kept: the layer may be taking itself off in the middle of
  // a message it still passes on.
  if (chain_) chain_->Take(proc_, id_);
  window_ = nullptr;
  CountHandle(THandleKind::hkSubclass, -1);
}

LRESULT TWindowSubclass::PassOn(UINT msg, WPARAM wp, LPARAM lp) const {
  return chain_ ? chain_->CallNext(msg, wp, lp) : 0;
}
