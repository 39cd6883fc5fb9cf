// Local memory over malloc; LMEM_ZEROINIT is honoured, moveable blocks are not
// supported (the system never asks for them).
#include "../win32.h"
#include "../sim/Faults.h"

#include <cstdlib>

HLOCAL LocalAlloc(UINT uFlags, SIZE_T uBytes) {
    uint32_t code = 0;
    if (sim::ShouldFail("LocalAlloc", &code)) {
        SetLastError(code);
        return nullptr;
    }
    void* p = (uFlags & LMEM_ZEROINIT) ? std::calloc(1, uBytes ? uBytes : 1) : std::malloc(uBytes ? uBytes : 1);
    if (p == nullptr) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return p;
}

HLOCAL LocalFree(HLOCAL hMem) {
    std::free(hMem);
    return nullptr;
}
