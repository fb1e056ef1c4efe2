#pragma once
// The USB readers that connecting looks for, by product and vendor id.

#include <vector>

struct DeviceTableEntry {
    char name[256]; // shown only in the not-found message
    int productId;
    int vendorId;
};

// Appends a row; the name is cut to 255 bytes.
void AddDeviceTableEntry(std::vector<DeviceTableEntry>& table, const char* name, int productId,
                         int vendorId);
