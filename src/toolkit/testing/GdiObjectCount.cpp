#include "toolkit/testing/GdiObjectCount.h"

#include <winternl.h>

namespace {

// One entry of the GDI handle table that the system maps into every process
// (x64 layout); the table's address is in the PEB at 0xF8.
#pragma pack(push, 1)
struct GdiHandleEntry {
    UINT64 object;
    USHORT processId;
    USHORT count;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    UINT64 user;
};
#pragma pack(pop)
static_assert(sizeof(GdiHandleEntry) == 24);

}  // namespace

// Wine answers GetGuiResources with 0, so there the shared table is counted.
DWORD GdiObjectCount() {
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported) return reported;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
    auto* peb = reinterpret_cast<const char*>(NtCurrentTeb()->ProcessEnvironmentBlock);
#pragma GCC diagnostic pop
    const auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + 0xF8);
    if (!table) return 0;
    const USHORT self = static_cast<USHORT>(GetCurrentProcessId());
    DWORD count = 0;
    for (int i = 0; i < 0x10000; ++i)
        if (table[i].type && (table[i].processId == self || table[i].processId == 0)) ++count;
    return count;
}
