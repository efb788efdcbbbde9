#pragma once
// Live handles held through the framework's own owner types, by kind. The
// owners count what they take and give back, so a test can see that a run
// of work leaves as many handles as it found (the system itself reports no
// such counts under Wine).
enum class THandleKind { hkGdiObject, hkIcon, hkMenu, hkDeviceContext, hkSubclass, hkCount };

// Adds `delta` to the live count of `kind`; any thread. A positive delta
// also adds to the count of handles of that kind taken so far.
void CountHandle(THandleKind kind, int delta);
long LiveHandles(THandleKind kind);
// How many handles of `kind` the owners have taken since the process
// started (never goes down): the difference over a piece of work is what
// it made, even when it gave everything back.
long TakenHandles(THandleKind kind);
