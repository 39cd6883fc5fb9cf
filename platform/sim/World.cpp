#include "World.h"

#include "Faults.h"

namespace sim {

void World::Reset() {
    ClearFaults();
    registry_.Reset();
    dhcp_.Reset();
    ipHelper_.Reset();
    setupApi_.Reset();
    wlan_.Reset();
}

World& GetWorld() {
    static World* world = new World;  // never destroyed: threads may call during exit
    return *world;
}

}  // namespace sim
