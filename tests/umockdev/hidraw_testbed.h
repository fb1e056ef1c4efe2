#pragma once
// The real hidraw and udev path under umockdev's preload: a mocked sysfs with
// a usb_device, its hid device and a /dev/hidrawN node for each reader, an
// ioctl handler that answers the hidraw ioctls from a report descriptor, and
// the node's pseudo-terminal as the device side. The suite runs with
// LD_PRELOAD=libumockdev-preload.so.0, so /dev, /sys, ioctl() and the udev
// netlink socket of this process and of its children lead into the testbed.
//
// What the testbed cannot show stays with the virtual HID bus tests
// (tests/reader/hid_transport_*_test.cpp, tests/platform/vhid_bus_test.cpp),
// where one message is one report:
// - the nodes are byte streams, so report boundaries blur: a short or an
//   overlong report, and one read taking exactly one report, are shown there;
// - poll() is not intercepted: the program polls the pty itself, and an
//   unplugged node shows as a pty hang-up (POLLHUP, end of file on read),
//   not as the POLLERR and EIO of a real unplugged hidraw node;
// - the kernel's stripping of report id 0 from what is written to a device
//   without report ids is not done, so the device side here reads whole
//   output reports, id byte included; the packing tests check that byte.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct _UMockdevTestbed;
struct _UMockdevIoctlBase;

namespace umockdev_test {

struct MockReader {
    uint16_t vendorId = 0x0483;
    uint16_t productId = 0x572B;
    int reportLength = 65; // input and output, report id byte included
    uint8_t reportId = 0;  // 0: the descriptor declares no report ids
};

// Vendor-defined input and output reports of reportLength bytes (id byte
// included), behind a report id when reportId is not 0.
std::vector<uint8_t> ReaderReportDescriptor(int reportLength, uint8_t reportId);

struct MockNode {
    MockReader reader;
    std::string devnode;    // "/dev/hidraw<N>"
    std::string usbSyspath; // the usb_device, parent of the hid device
    std::vector<uint8_t> descriptor;
    int deviceFd = -1; // the device side of the node: the pty master
};

class HidrawTestbed {
public:
    HidrawTestbed();
    ~HidrawTestbed();
    HidrawTestbed(const HidrawTestbed&) = delete;
    HidrawTestbed& operator=(const HidrawTestbed&) = delete;

    // False when the preload is missing: the program would see the real
    // /dev and /sys.
    static bool PreloadActive();

    // Builds usb_device, hid device and /dev/hidraw<number>, in that order,
    // each with its udev add event. The node stays valid as long as the testbed.
    MockNode& Add(const MockReader& reader, int number);
    // The same in two steps: the usb_device alone, then its hidraw interface.
    MockNode& AddUsbDevice(const MockReader& reader, int number);
    void AddHidraw(MockNode& node, int number);
    // A udev event ("add", "remove") of the node's usb_device.
    void UsbEvent(const MockNode& node, const char* action);
    // The reader goes as the kernel lets it go: its node disappears while
    // the program's descriptor stays open, then udev reports the removal.
    void Unplug(const MockNode& node);
    // Closes the device side: the program's end of the node hangs up.
    static void HangUp(MockNode& node);
    // The node refuses every opener but root, and root only keeps it by its
    // capabilities.
    static void DenyAccess(const MockNode& node);
    // Lets other users reach the mocked /dev and /sys and the ioctl handlers.
    void OpenToAllUsers();

private:
    _UMockdevTestbed* m_testbed;
    std::vector<std::unique_ptr<MockNode>> m_nodes;
    std::vector<_UMockdevIoctlBase*> m_handlers;
    std::vector<int> m_heldTerminals;
};

} // namespace umockdev_test
