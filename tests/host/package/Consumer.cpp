// Loads the installed plug-in, lists the networks of the world it is given
// and closes: enough to prove that the headers compile and the libraries
// link and load from the installed prefix alone.
#include <cstdio>
#include <string>

#include "device/Exports.h"
#include "foundation/ExceptionTypes.h"
#include "platform/win32.h"

struct Quiet : ace::IDeviceCallback {
    void ConnectCompleted(int32_t, uint32_t, uint32_t) override {}
    void ConnectProgress(int32_t, uint32_t) override {}
    void DeviceStatusChanged(int32_t, DEVICE_STATE) override {}
    void Disconnected(int32_t, uint32_t) override {}
    void IpAddressStatus(int32_t, bool) override {}
};

int main() {
    std::string file = PLUGIN;
#ifdef _WIN32
    // By full path, its own folder searched first for what it imports
    // (Logger.dll, and the WLAN service's DLL that the tests put there).
    for (char& c : file)
        if (c == '/') c = '\\';
    HMODULE module = LoadLibraryExW(std::wstring(file.begin(), file.end()).c_str(), nullptr,
                                    LOAD_WITH_ALTERED_SEARCH_PATH);
#else
    HMODULE module = LoadLibraryW(std::wstring(file.begin(), file.end()).c_str());
#endif
    if (module == nullptr) return 3;
    auto create = reinterpret_cast<CreateClassFn>(reinterpret_cast<void*>(GetProcAddress(module, "CreateClass")));
    auto destroy = reinterpret_cast<DeleteClassFn>(reinterpret_cast<void*>(GetProcAddress(module, "DeleteClass")));
    if (create == nullptr || destroy == nullptr) return 4;
    int code = 0;
    Quiet quiet;
    ace::IDevice* device = create();
    try {
        device->SetDeviceName(L"Wireless");
        device->Open(&quiet);
        ace::NetworkList networks;
        device->GetAvailableNetworks(networks);
        std::printf("%zu networks\n", networks.size());
        device->Close();
    } catch (const util::Exception& e) {
        std::printf("failed: %ls\n", e.GetFirstEntry().message.c_str());
        code = 1;
    }
    destroy(device);
    FreeLibrary(module);
    return code;
}
