#include "tests/umockdev/hidraw_testbed.h"

#include "tests/umockdev/hidraw_ioctls.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <termios.h>
#include <umockdev.h>
#include <unistd.h>

namespace umockdev_test {

namespace {

std::string Hex(unsigned value, const char* format) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The program's end of a node's pseudo-terminal, "" when there is none.
std::string TerminalOf(const MockNode& node) {
    char terminal[256];
    return ptsname_r(node.deviceFd, terminal, sizeof terminal) == 0 ? terminal : "";
}

std::string TakeString(gchar* text) {
    std::string copy = text ? text : "";
    g_free(text);
    return copy;
}

} // namespace

HidrawTestbed::HidrawTestbed() : m_testbed(umockdev_testbed_new()) {}

HidrawTestbed::~HidrawTestbed() {
    // The testbed, which calls the handlers, goes first.
    g_object_unref(m_testbed);
    for (UMockdevIoctlBase* handler : m_handlers)
        g_object_unref(handler);
    for (int fd : m_heldTerminals)
        close(fd);
}

bool HidrawTestbed::PreloadActive() {
    return umockdev_in_mock_environment();
}

MockNode& HidrawTestbed::Add(const MockReader& reader, int number) {
    MockNode& node = AddUsbDevice(reader, number);
    AddHidraw(node, number);
    return node;
}

MockNode& HidrawTestbed::AddUsbDevice(const MockReader& reader, int number) {
    auto node = std::make_unique<MockNode>();
    node->reader = reader;
    const std::string vid = Hex(reader.vendorId, "%04x");
    const std::string pid = Hex(reader.productId, "%04x");
    const std::string usbName = "1-" + std::to_string(number);
    const std::string serial = "SN" + std::to_string(number);
    const std::string product = Hex(reader.vendorId, "%x") + "/" + pid + "/100";
    node->usbSyspath = TakeString(umockdev_testbed_add_device(
        m_testbed, "usb", usbName.c_str(), nullptr, "idVendor", vid.c_str(), "idProduct",
        pid.c_str(), "serial", serial.c_str(), nullptr, "DEVTYPE", "usb_device", "PRODUCT",
        product.c_str(), nullptr));
    m_nodes.push_back(std::move(node));
    return *m_nodes.back();
}

void HidrawTestbed::AddHidraw(MockNode& node, int number) {
    const MockReader& reader = node.reader;
    node.descriptor = ReaderReportDescriptor(reader.reportLength, reader.reportId);
    const std::string name = "hidraw" + std::to_string(number);
    node.devnode = "/dev/" + name;
    const std::string hidName = "0003:" + Hex(reader.vendorId, "%04X") + ":" +
                                Hex(reader.productId, "%04X") + "." + Hex(number, "%04X");
    const std::string hidId =
        "0003:0000" + Hex(reader.vendorId, "%04X") + ":0000" + Hex(reader.productId, "%04X");
    const std::string hidPath = TakeString(
        umockdev_testbed_add_device(m_testbed, "hid", hidName.c_str(), node.usbSyspath.c_str(),
                                    nullptr, "HID_ID", hidId.c_str(), nullptr));

    // A node without contents is a pseudo-terminal; only a device description
    // gives a device its node.
    const std::string rawPath = hidPath + "/" + name;
    const std::string description = "P: " + rawPath.substr(4) + "\nN: " + name +
                                    "\nE: SUBSYSTEM=hidraw\nE: DEVNAME=" + node.devnode + "\n";
    if (!umockdev_testbed_add_from_string(m_testbed, description.c_str(), nullptr))
        std::fprintf(stderr, "umockdev refused %s\n", rawPath.c_str());
    // As in real sysfs: /sys/class/hidraw/hidrawN/device is the hid device.
    umockdev_testbed_set_attribute_link(m_testbed, rawPath.c_str(), "device", "..");

    node.deviceFd = umockdev_testbed_get_dev_fd(m_testbed, node.devnode.c_str());
    // A pty whose other end nobody holds hangs up at the device side; the
    // program opens the node only later.
    m_heldTerminals.push_back(open(TerminalOf(node).c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));
    // Report bytes pass the line discipline untouched.
    termios raw{};
    if (tcgetattr(node.deviceFd, &raw) == 0) {
        cfmakeraw(&raw);
        tcsetattr(node.deviceFd, TCSANOW, &raw);
    }

    m_handlers.push_back(NewHidrawIoctlHandler(node));
    umockdev_testbed_attach_ioctl(m_testbed, node.devnode.c_str(), m_handlers.back(), nullptr);
}

void HidrawTestbed::UsbEvent(const MockNode& node, const char* action) {
    umockdev_testbed_uevent(m_testbed, node.usbSyspath.c_str(), action);
}

void HidrawTestbed::Unplug(const MockNode& node) {
    const std::string root = TakeString(umockdev_testbed_get_root_dir(m_testbed));
    std::filesystem::remove(root + node.devnode);
    UsbEvent(node, "remove");
}

void HidrawTestbed::HangUp(MockNode& node) {
    // The testbed closes the descriptor number itself at the end, so it is
    // taken over by /dev/null instead of being closed.
    int null = open("/dev/null", O_RDWR | O_CLOEXEC);
    dup2(null, node.deviceFd);
    close(null);
}

void HidrawTestbed::DenyAccess(const MockNode& node) {
    chmod(TerminalOf(node).c_str(), 0);
}

void HidrawTestbed::OpenToAllUsers() {
    namespace fs = std::filesystem;
    const fs::path root = TakeString(umockdev_testbed_get_root_dir(m_testbed));
    fs::permissions(root, fs::perms(0755));
    // The preload of every process that opens a node connects to its handler.
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / "ioctl"))
        if (entry.is_socket())
            fs::permissions(entry.path(), fs::perms(0666));
}

} // namespace umockdev_test
