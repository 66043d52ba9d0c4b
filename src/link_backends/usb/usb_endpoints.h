#pragma once
// Which endpoints of a controller carry the link: the first bulk OUT
// endpoint is the write pipe ("PIPE01"), the first bulk IN endpoint of the
// same interface the read pipe ("PIPE00"). Chosen from a plain list of the
// configuration's endpoints, so the choice is tested without a device.

#include <cstdint>
#include <span>
#include <vector>

struct libusb_config_descriptor;

struct UsbEndpointInfo
{
    int interfaceNumber = 0;
    int altSetting = 0;
    uint8_t address = 0;    // bit 7 set: IN (device to host)
    uint8_t attributes = 0; // low two bits 2: bulk
};

struct UsbBulkPipes
{
    int interfaceNumber = -1;
    int outAddress = -1; // "PIPE01"
    int inAddress = -1;  // "PIPE00"

    bool hasWritePipe() const { return outAddress >= 0; }
    bool hasReadPipe() const { return inAddress >= 0; }
};

// Only the first alternate setting of each interface counts: the one a
// claimed interface is in.
UsbBulkPipes chooseBulkPipes(std::span<const UsbEndpointInfo> endpoints);

// The endpoints of a configuration, interface by interface.
std::vector<UsbEndpointInfo> endpointsOf(const libusb_config_descriptor &config);
