#include "app/device_table.h"

#include <cstdio>

void AddDeviceTableEntry(std::vector<DeviceTableEntry>& table, const char* name, int productId,
                         int vendorId) {
    DeviceTableEntry entry{};
    std::snprintf(entry.name, sizeof entry.name, "%s", name);
    entry.productId = productId;
    entry.vendorId = vendorId;
    table.push_back(entry);
}
