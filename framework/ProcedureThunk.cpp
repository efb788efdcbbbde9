#include "framework/ProcedureThunk.h"

#include <cstdint>
#include <cstring>

TProcedureThunk::TProcedureThunk(void* object, WNDPROC target) {
#if defined(__x86_64__) || defined(_M_X64)
  // mov rcx, object; mov rax, target; jmp rax
  unsigned char code[22] = {0x48, 0xB9, 0, 0, 0, 0, 0, 0, 0, 0,    0x48,
                            0xB8, 0,    0, 0, 0, 0, 0, 0, 0, 0xFF, 0xE0};
  const auto first = reinterpret_cast<std::uintptr_t>(object);
  const auto jump = reinterpret_cast<std::uintptr_t>(target);
  std::memcpy(code + 2, &first, sizeof first);
  std::memcpy(code + 12, &jump, sizeof jump);
  void* memory = VirtualAlloc(nullptr, sizeof code, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!memory) return;
  std::memcpy(memory, code, sizeof code);
  DWORD old = 0;
  if (!VirtualProtect(memory, sizeof code, PAGE_EXECUTE_READ, &old)) {
    VirtualFree(memory, 0, MEM_RELEASE);
    return;
  }
  FlushInstructionCache(GetCurrentProcess(), memory, sizeof code);
  code_ = memory;
#else
  (void)object;
  (void)target;
#endif
}

TProcedureThunk::~TProcedureThunk() {
  if (code_) VirtualFree(code_, 0, MEM_RELEASE);
}
