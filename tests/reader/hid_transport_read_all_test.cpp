#include "platform/clock.h"
#include "tests/reader/hid_transport_fixture.h"

namespace hidtest {
namespace {

class HidReadAll : public VhidBusTest {};

// Everything up to the silence, report padding included.
TEST_F(HidReadAll, CollectsUntilTheLineFallsSilent) {
    VirtualHidDevice* device = AddDevice("reader", 9, 9);
    DeviceHandle h = Open(device);
    Send(device, {0x00, 0x00, 0x03, 'P', 'Y'});
    Send(device, {0x00, 1, 2, 3, 4, 5, 6, 7, 8});
    Bytes buffer(1024, 0xEE);
    int count = -1;
    ASSERT_EQ(::HidReadAll(h, buffer.data(), int(buffer.size()), &count), ReaderOk);
    ASSERT_EQ(count, 16);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 17),
              (Bytes{0x00, 0x03, 'P', 'Y', 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 0xEE}));
}

TEST_F(HidReadAll, StopsAtTheBufferEnd) {
    VirtualHidDevice* device = AddDevice("reader", 9, 9);
    DeviceHandle h = Open(device);
    for (uint8_t i = 0; i < 5; ++i)
        Send(device, Bytes(9, uint8_t(0x10 + i)));
    Bytes buffer(32, 0xEE);
    int count = -1;
    ASSERT_EQ(::HidReadAll(h, buffer.data(), 20, &count), ReaderOk);
    ASSERT_EQ(count, 20);
    Bytes expected;
    for (uint8_t value : {0x10, 0x11})
        expected.insert(expected.end(), 8, value);
    expected.insert(expected.end(), 4, 0x12);
    expected.insert(expected.end(), 12, 0xEE);
    EXPECT_EQ(buffer, expected);
}

// An unplug ends the collection at once and keeps what came before it; with
// nothing before it, the read failed.
TEST_F(HidReadAll, UnplugEndsTheCollectionWithWhatCame) {
    for (const uint8_t reports : {0, 2}) {
        SCOPED_TRACE(int(reports));
        VirtualHidDevice* device = AddDevice("reader" + std::to_string(reports), 9, 9);
        DeviceHandle h = Open(device);
        for (uint8_t i = 0; i < reports; ++i)
            Send(device, Bytes(9, uint8_t(0x31 + i)));
        device->unplug();
        Bytes buffer(64, 0xEE);
        int count = -1;
        const uint32_t start = platform::TickCount();
        EXPECT_EQ(::HidReadAll(h, buffer.data(), int(buffer.size()), &count),
                  reports ? ReaderOk : ReaderFailed);
        // Well short of the second of silence that ends a collection otherwise.
        EXPECT_LT(platform::TickCount() - start, 1000u);
        ASSERT_EQ(count, reports * 8);
        Bytes expected;
        for (uint8_t i = 0; i < reports; ++i)
            expected.insert(expected.end(), 8, uint8_t(0x31 + i));
        expected.resize(64, 0xEE);
        EXPECT_EQ(buffer, expected);
    }
}

} // namespace
} // namespace hidtest
