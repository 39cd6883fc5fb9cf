// The plug-in file, loaded at run time, and the process that loads it share
// one simulated machine: what this host describes through sim:: (registry
// entries, armed faults) is what the plug-in's own calls meet.
#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

#include "device/Exports.h"
#include "platform/sim/AdapterWorld.h"
#include "platform/sim/Faults.h"

namespace {

// The adapter's registry entries, then a fault on their reading.
TEST(SharedWorld, PluginMeetsTheAdapterAndTheFaultTheHostArmed) {
    sim::AdapterWorld world;  // outlives the plug-in
    std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&FreeLibrary)> plugin{LoadLibraryW(ACE_PLUGIN_FILE),
                                                                                  &FreeLibrary};
    ASSERT_NE(plugin, nullptr);
    auto find = [&](const char* name) { return reinterpret_cast<void*>(GetProcAddress(plugin.get(), name)); };
    auto create = reinterpret_cast<CreateClassFn>(find("CreateClass"));
    auto destroy = reinterpret_cast<DeleteClassFn>(find("DeleteClass"));
    ASSERT_TRUE(create != nullptr && destroy != nullptr);
    const std::unique_ptr<ace::IDevice, DeleteClassFn> device(create(), destroy);
    ASSERT_NE(device, nullptr);
    sim::AdapterDescription adapter;
    adapter.providerName = L"Fabrikam";
    auto places = world.Add(adapter);
    device->SetDeviceName(places.description);
    device->RetrieveDeviceInformation(0, 0);
    cei::DeviceInformation info;
    device->GetDeviceInformation(info);
    EXPECT_EQ(info.deviceId, places.guid);
    EXPECT_EQ(info.manufacturer, L"Fabrikam");
    sim::ScopedFault fault("RegOpenKeyExW", ERROR_ACCESS_DENIED, 1, 0);
    try {
        device->RetrieveDeviceInformation(0, 0);
        ADD_FAILURE() << "the armed fault was not met";
    } catch (const util::Exception& e) {
        EXPECT_EQ(e.GetFirstEntry().code, static_cast<uint32_t>(ERROR_ACCESS_DENIED));
    }
}

}  // namespace
