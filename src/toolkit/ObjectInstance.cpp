#include "toolkit/ObjectInstance.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

#include "toolkit/Application.h"

#if !defined(__x86_64__)
#error "object instances are generated as x86-64 code"
#endif

// Each procedure is a thunk of generated code that loads the address of its
// own slot (the bound method) into R10 and jumps to ObjectInstanceEntry. R10
// is a scratch register that no caller of a window procedure expects to keep,
// and a jump leaves the caller's frame as it is, so the thunk never appears on
// the stack. The entry makes a normal frame (with unwind information) and
// calls RouteObjectInstance with the slot first and the window last.
//
//   offset  bytes                   instruction
//   0       49 BA <slot, 8 bytes>   mov r10, slot
//   10      48 B8 <entry, 8 bytes>  mov rax, ObjectInstanceEntry
//   20      FF E0                   jmp rax
//   22      CC x 10                 (int3 padding to 32 bytes)
asm(R"(
    .text
    .p2align 4
    .globl relayon_ObjectInstanceEntry
    .def relayon_ObjectInstanceEntry; .scl 2; .type 32; .endef
    .seh_proc relayon_ObjectInstanceEntry
relayon_ObjectInstanceEntry:
    subq $56, %rsp
    .seh_stackalloc 56
    .seh_endprologue
    movq %rcx, 32(%rsp)
    movq %r10, %rcx
    call relayon_RouteObjectInstance
    addq $56, %rsp
    ret
    .seh_endproc
)");

namespace {

struct Slot {
    TWndMethod method;
};

thread_local HWND gCurrentWindow = nullptr;

}  // namespace

extern "C" void relayon_ObjectInstanceEntry();

// Called by the entry above for every message of every object instance.
extern "C" __attribute__((used)) LRESULT relayon_RouteObjectInstance(void* slotAddress, UINT msg, WPARAM wParam,
                                                                     LPARAM lParam, HWND window) {
    const Slot* slot = static_cast<const Slot*>(slotAddress);
    TMessage message{msg, wParam, lParam, 0};
    HWND saved = gCurrentWindow;
    gCurrentWindow = window;
    try {
        // A copy: the method may free its own instance while it runs.
        TWndMethod method = slot->method;
        if (method)
            method(message);
        else
            message.Result = DefWindowProcW(window, msg, wParam, lParam);
    } catch (...) {
        try {
            Application->HandleException(nullptr);
        } catch (...) {
        }
    }
    gCurrentWindow = saved;
    return message.Result;
}

namespace {

// 64 KiB is the granularity of VirtualAlloc: a smaller block wastes the rest.
constexpr size_t kBlockBytes = 64 * 1024;
constexpr size_t kThunkBytes = 32;
constexpr size_t kThunksPerBlock = kBlockBytes / kThunkBytes;

void WriteThunk(uint8_t* at, const Slot* slot) {
    const uint64_t slotAddress = reinterpret_cast<uint64_t>(slot);
    const uint64_t entryAddress = reinterpret_cast<uint64_t>(&relayon_ObjectInstanceEntry);
    std::memset(at, 0xCC, kThunkBytes);
    at[0] = 0x49;
    at[1] = 0xBA;
    std::memcpy(at + 2, &slotAddress, 8);
    at[10] = 0x48;
    at[11] = 0xB8;
    std::memcpy(at + 12, &entryAddress, 8);
    at[20] = 0xFF;
    at[21] = 0xE0;
}

// One block of thunks and their slots. The code is written once, before the
// block becomes executable, and never changes after: handing a thunk out only
// fills its slot, which lives in ordinary memory.
class ThunkBlock {
public:
    ThunkBlock() : slots_(new Slot[kThunksPerBlock]) {
        void* memory = VirtualAlloc(nullptr, kBlockBytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        if (!memory) throw std::bad_alloc();
        code_ = static_cast<uint8_t*>(memory);
        for (size_t i = 0; i < kThunksPerBlock; ++i) WriteThunk(code_ + i * kThunkBytes, &slots_[i]);
        DWORD previous = 0;
        if (!VirtualProtect(code_, kBlockBytes, PAGE_EXECUTE_READ, &previous)) {
            VirtualFree(code_, 0, MEM_RELEASE);
            throw std::bad_alloc();
        }
        FlushInstructionCache(GetCurrentProcess(), code_, kBlockBytes);
        // Handed out from the low end first.
        for (size_t i = kThunksPerBlock; i > 0; --i) free_.push_back(static_cast<uint16_t>(i - 1));
    }
    ~ThunkBlock() { VirtualFree(code_, 0, MEM_RELEASE); }
    ThunkBlock(const ThunkBlock&) = delete;
    ThunkBlock& operator=(const ThunkBlock&) = delete;

    bool Full() const { return free_.empty(); }
    bool Unused() const { return free_.size() == kThunksPerBlock; }
    bool Holds(WNDPROC procedure) const {
        const auto* at = reinterpret_cast<const uint8_t*>(procedure);
        return at >= code_ && at < code_ + kBlockBytes && (at - code_) % kThunkBytes == 0;
    }

    WNDPROC Take(TWndMethod method) {
        const size_t index = free_.back();
        free_.pop_back();
        slots_[index].method = method;
        return reinterpret_cast<WNDPROC>(code_ + index * kThunkBytes);
    }
    void Give(WNDPROC procedure) {
        const size_t index = static_cast<size_t>(reinterpret_cast<const uint8_t*>(procedure) - code_) / kThunkBytes;
        // Once is enough: a second free of the same procedure changes nothing.
        if (!slots_[index].method && InFreeList(index)) return;
        slots_[index].method = nullptr;
        free_.push_back(static_cast<uint16_t>(index));
    }

private:
    bool InFreeList(size_t index) const {
        for (uint16_t i : free_)
            if (i == index) return true;
        return false;
    }

    std::unique_ptr<Slot[]> slots_;
    uint8_t* code_ = nullptr;
    std::vector<uint16_t> free_;
};

class ThunkPool {
public:
    WNDPROC Make(TWndMethod method) {
        std::lock_guard lock(mutex_);
        for (auto& block : blocks_)
            if (!block->Full()) return block->Take(method);
        blocks_.push_back(std::make_unique<ThunkBlock>());
        return blocks_.back()->Take(method);
    }
    void Free(WNDPROC procedure) {
        if (!procedure) return;
        std::lock_guard lock(mutex_);
        for (auto it = blocks_.begin(); it != blocks_.end(); ++it) {
            if (!(*it)->Holds(procedure)) continue;
            (*it)->Give(procedure);
            // One unused block stays, so that making and freeing a single
            // procedure over and over does not allocate each time.
            if ((*it)->Unused() && blocks_.size() > 1) blocks_.erase(it);
            return;
        }
    }

private:
    std::mutex mutex_;
    std::vector<std::unique_ptr<ThunkBlock>> blocks_;
};

ThunkPool& Pool() {
    // Never destroyed: windows may still be subclassed while the process exits.
    static ThunkPool* pool = new ThunkPool();
    return *pool;
}

}  // namespace

WNDPROC MakeObjectInstance(TWndMethod method) { return Pool().Make(method); }

void FreeObjectInstance(WNDPROC procedure) { Pool().Free(procedure); }

HWND ObjectInstanceWindow() { return gCurrentWindow; }
