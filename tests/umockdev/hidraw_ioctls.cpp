#include "tests/umockdev/hidraw_ioctls.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <umockdev.h>

namespace umockdev_test {

namespace {

constexpr uint32_t kBusUsb = 3;

// The ioctl's argument as local memory, written back to the caller when the
// call completes; null when it cannot be reached.
template <typename T> class Argument {
public:
    explicit Argument(UMockdevIoctlClient* client)
        : m_data(umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, sizeof(T),
                                             nullptr)) {}
    ~Argument() {
        if (m_data)
            g_object_unref(m_data);
    }
    Argument(const Argument&) = delete;
    Argument& operator=(const Argument&) = delete;

    T* get() const { return m_data ? reinterpret_cast<T*>(m_data->data) : nullptr; }

private:
    UMockdevIoctlData* m_data;
};

// The result and errno of one request.
struct Answer {
    long result;
    int error;
};
constexpr Answer kDone{0, 0};
constexpr Answer kBadAddress{-1, EFAULT};

Answer AnswerRawInfo(UMockdevIoctlClient* client, const MockNode& node) {
    Argument<hidraw_devinfo> info(client);
    if (!info.get())
        return kBadAddress;
    info.get()->bustype = kBusUsb;
    info.get()->vendor = int16_t(node.reader.vendorId);
    info.get()->product = int16_t(node.reader.productId);
    return kDone;
}

Answer AnswerDescriptorSize(UMockdevIoctlClient* client, const MockNode& node) {
    Argument<int> size(client);
    if (!size.get())
        return kBadAddress;
    *size.get() = int(node.descriptor.size());
    return kDone;
}

// As the kernel does: as many bytes as the caller asks for, at most the
// descriptor's own length.
Answer AnswerDescriptor(UMockdevIoctlClient* client, const MockNode& node) {
    Argument<hidraw_report_descriptor> descriptor(client);
    if (!descriptor.get())
        return kBadAddress;
    if (descriptor.get()->size > HID_MAX_DESCRIPTOR_SIZE)
        return {-1, EINVAL};
    const size_t length = std::min<size_t>(descriptor.get()->size, node.descriptor.size());
    std::memcpy(descriptor.get()->value, node.descriptor.data(), length);
    return kDone;
}

// Runs on the testbed's own worker thread.
gboolean OnIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer userData) {
    const MockNode& node = *static_cast<const MockNode*>(userData);
    Answer answer{-1, ENOTTY};
    switch (umockdev_ioctl_client_get_request(client)) {
    case HIDIOCGRAWINFO:
        answer = AnswerRawInfo(client, node);
        break;
    case HIDIOCGRDESCSIZE:
        answer = AnswerDescriptorSize(client, node);
        break;
    case HIDIOCGRDESC:
        answer = AnswerDescriptor(client, node);
        break;
    default:
        break;
    }
    umockdev_ioctl_client_complete(client, answer.result, answer.error);
    return TRUE;
}

} // namespace

std::vector<uint8_t> ReaderReportDescriptor(int reportLength, uint8_t reportId) {
    const auto count = uint8_t(reportLength - 1);
    std::vector<uint8_t> descriptor = {
        0x06, 0x00, 0xFF, // usage page: vendor defined
        0x09, 0x01,       // usage 1
        0xA1, 0x01,       // collection: application
    };
    if (reportId != 0)
        descriptor.insert(descriptor.end(), {0x85, reportId});
    descriptor.insert(descriptor.end(), {
                                            0x15, 0x00,  0x26, 0xFF, 0x00,       // logical 0 to 255
                                            0x75, 0x08,                          // 8 bits a field
                                            0x95, count, 0x09, 0x01, 0x81, 0x02, // input
                                            0x95, count, 0x09, 0x01, 0x91, 0x02, // output
                                            0xC0, // end of collection
                                        });
    return descriptor;
}

_UMockdevIoctlBase* NewHidrawIoctlHandler(const MockNode& node) {
    UMockdevIoctlBase* handler = umockdev_ioctl_base_new();
    g_signal_connect(handler, "handle-ioctl", G_CALLBACK(OnIoctl), const_cast<MockNode*>(&node));
    return handler;
}

} // namespace umockdev_test
