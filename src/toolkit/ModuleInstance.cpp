#include "toolkit/ModuleInstance.h"

HINSTANCE ModuleInstance() {
    // The instance of the module this code is linked into (exe or DLL).
    static const HINSTANCE instance = [] {
        HMODULE m = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&ModuleInstance), &m);
        return m ? m : GetModuleHandleW(nullptr);
    }();
    return instance;
}
