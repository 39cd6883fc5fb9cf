#include "World.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "Faults.h"
#include "WorldFile.h"

namespace sim {

void World::Reset() {
    ClearFaults();
    registry_.Reset();
    dhcp_.Reset();
    ipHelper_.Reset();
    setupApi_.Reset();
    wlan_.Reset();
}

namespace {

std::atomic<World*> g_world{nullptr};
std::once_flag g_created;
thread_local bool t_loading = false;

// A process that names a world file in WLAN_SIM_WORLD meets that world from
// its first call on, whoever makes it (a host that never heard of sim::, the
// plug-in it loads). Our own wlanapi.dll has no one to describe its machine,
// so it starts from the default world when the variable is not set. A file
// that does not load leaves the machine empty and says why on stderr.
void LoadInitialWorld() {
    try {
#ifdef SIM_WLANAPI_DLL
        LoadWorldFromEnvironment();
#else
        const char* path = std::getenv(kWorldFileVariable);
        if (path != nullptr && *path != '\0') LoadWorldFile(path);
#endif
    } catch (const std::exception& e) {
        std::fprintf(stderr, "simulated world not loaded: %s\n", e.what());
    }
}

}  // namespace

World& GetWorld() {
    // The loader reaches GetWorld() again on its own thread while the world
    // is being filled; other threads wait until it is done.
    if (!t_loading) {
        std::call_once(g_created, [] {
            g_world.store(new World);  // never destroyed: threads may call during exit
            t_loading = true;
            LoadInitialWorld();
            t_loading = false;
        });
    }
    return *g_world.load();
}

}  // namespace sim
