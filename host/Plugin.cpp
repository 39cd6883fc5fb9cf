#include "Plugin.h"

#include "Errors.h"
#include "Text.h"

#include <filesystem>
#include <system_error>

namespace host {

namespace {

#ifdef _WIN32
const char kPluginFile[] = "WlanDevice.dll";
#else
const char kPluginFile[] = "libWlanDevice.so";
#endif

template <class Fn>
Fn Find(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

Plugin::Plugin(const std::string& path) {
    module_ = LoadLibraryW(Widen(path).c_str());
    if (module_ == nullptr)
        throw UsageError("cannot load the plug-in " + path + " (error " + std::to_string(GetLastError()) + ")");
    create_ = Find<CreateClassFn>(module_, "CreateClass");
    destroy_ = Find<DeleteClassFn>(module_, "DeleteClass");
    if (create_ == nullptr || destroy_ == nullptr) {
        FreeLibrary(module_);
        throw UsageError(path + " is not a device plug-in: it lacks " +
                         (create_ == nullptr ? "CreateClass" : "DeleteClass"));
    }
}

Plugin::~Plugin() { FreeLibrary(module_); }

ace::IDevice* Plugin::Create() {
    ace::IDevice* device = create_();
    if (device == nullptr) throw ServiceError("CreateClass made no device (out of memory)");
    return device;
}

std::string DefaultPluginPath(const char* argv0) {
    // The kernel knows where the executable is even when it was found
    // through PATH; elsewhere (Windows) argv[0] is the full path.
    std::error_code error;
    const std::filesystem::path proc = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::string self = !error ? proc.string() : argv0 == nullptr ? "" : argv0;
    const size_t slash = self.find_last_of("/\\");
    const std::string folder = slash == std::string::npos ? std::string(".") : self.substr(0, slash);
    // Installed, the shared libraries are in lib/ beside bin/.
    const std::string beside = folder + "/" + kPluginFile;
    const std::string installed = folder + "/../lib/" + kPluginFile;
    return !std::filesystem::exists(beside, error) && std::filesystem::exists(installed, error) ? installed : beside;
}

}  // namespace host
