#include "usb/usb_endpoints.h"

#include <libusb-1.0/libusb.h>

namespace {

bool isBulk(const UsbEndpointInfo &e) { return (e.attributes & 0x03) == LIBUSB_TRANSFER_TYPE_BULK; }
bool isIn(const UsbEndpointInfo &e) { return (e.address & 0x80) == LIBUSB_ENDPOINT_IN; }

} // namespace

UsbBulkPipes chooseBulkPipes(std::span<const UsbEndpointInfo> endpoints)
{
    UsbBulkPipes pipes;
    for (const UsbEndpointInfo &e : endpoints)
        if (e.altSetting == 0 && isBulk(e) && !isIn(e)) {
            pipes.interfaceNumber = e.interfaceNumber;
            pipes.outAddress = e.address;
            break;
        }
    if (!pipes.hasWritePipe())
        return pipes;
    for (const UsbEndpointInfo &e : endpoints)
        if (e.altSetting == 0 && e.interfaceNumber == pipes.interfaceNumber && isBulk(e) && isIn(e)) {
            pipes.inAddress = e.address;
            break;
        }
    return pipes;
}

std::vector<UsbEndpointInfo> endpointsOf(const libusb_config_descriptor &config)
{
    std::vector<UsbEndpointInfo> list;
    for (int i = 0; i < config.bNumInterfaces; ++i) {
        const libusb_interface &interface = config.interface[i];
        for (int a = 0; a < interface.num_altsetting; ++a) {
            const libusb_interface_descriptor &setting = interface.altsetting[a];
            for (int k = 0; k < setting.bNumEndpoints; ++k) {
                const libusb_endpoint_descriptor &endpoint = setting.endpoint[k];
                list.push_back({setting.bInterfaceNumber, setting.bAlternateSetting, endpoint.bEndpointAddress,
                                endpoint.bmAttributes});
            }
        }
    }
    return list;
}
