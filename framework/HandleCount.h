#pragma once
// Live handles held through the framework's own owner types, by kind. The
// owners count what they take and give back, so a test can see that a run
// of work leaves as many handles as it found (the system itself reports no
// such counts under Wine).
enum class THandleKind { hkGdiObject, hkIcon, hkMenu, hkDeviceContext, hkSubclass, hkCount };

// Adds `delta` to the live count of `kind`; any thread.
void CountHandle(THandleKind kind, int delta);
long LiveHandles(THandleKind kind);
