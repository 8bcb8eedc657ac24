// What the software device and the objects it made share: the device they
// belong to (null once it is gone) and the counts Reset checks.
#pragma once

#include <memory>

class SoftwareDevice;
class TileBins;

struct DeviceLedger {
    SoftwareDevice* device = nullptr;
    int defaultPoolObjects = 0;       // alive textures and surfaces of D3DPOOL_DEFAULT
    int effectsNotLost = 0;           // effects that have not been told the device is lost
    TileBins* pendingTiles = nullptr; // draws not yet on their target; drawn before any pixels are read or written
};

using DeviceLedgerPtr = std::shared_ptr<DeviceLedger>;
