// LoadLibraryW / GetProcAddress / FreeLibrary over dlopen; the libraries we
// simulate are answered by the simulation. A name without a path or suffix
// is tried as given and as "lib<name>.so".
#include <dlfcn.h>

#include <string>

#include "../../win32.h"
#include "../Modules.h"

namespace {

std::string Narrow(LPCWSTR text) {
    int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::string();
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n) - 1);
    return out;
}

}  // namespace

HMODULE LoadLibraryW(LPCWSTR lpLibFileName) {
    if (sim::LoaderCallRefused("LoadLibraryW")) return nullptr;
    if (lpLibFileName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HMODULE module = nullptr;
    if (sim::LoadSimulated(lpLibFileName, &module)) return module;
    std::string name = Narrow(lpLibFileName);
    void* h = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (h == nullptr && name.find('/') == std::string::npos && name.find('.') == std::string::npos)
        h = dlopen(("lib" + name + ".so").c_str(), RTLD_NOW | RTLD_LOCAL);
    if (h == nullptr) SetLastError(ERROR_MOD_NOT_FOUND);
    return h;
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
    if (sim::LoaderCallRefused("GetProcAddress")) return nullptr;
    FARPROC proc = nullptr;
    if (sim::FindSimulated(hModule, lpProcName, &proc)) return proc;
    if (hModule == nullptr || lpProcName == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    void* symbol = dlsym(hModule, lpProcName);
    if (symbol == nullptr) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(symbol);
}

BOOL FreeLibrary(HMODULE hLibModule) {
    if (sim::LoaderCallRefused("FreeLibrary")) return FALSE;
    if (sim::FreeSimulated(hLibModule)) return TRUE;
    if (hLibModule == nullptr || dlclose(hLibModule) != 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
