#include "tests/reader/hid_transport_fixture.h"

#include <numeric>

namespace hidtest {
namespace {

struct PackingCase {
    int outputLength;
    int requestLength;
    size_t reports;
};

class HidPacking : public VhidBusTest, public ::testing::WithParamInterface<PackingCase> {};

// Every report is id 0 then the next OL-1 request bytes; the rest is zeros.
TEST_P(HidPacking, SplitsRequestIntoZeroPaddedReports) {
    const PackingCase c = GetParam();
    VirtualHidDevice* device = AddDevice("reader", 9, uint16_t(c.outputLength));
    DeviceHandle h = Open(device);
    Bytes request(size_t(c.requestLength));
    std::iota(request.begin(), request.end(), uint8_t(1));

    ASSERT_EQ(HidWriteReports(h, request.data(), c.requestLength), ReaderOk);

    std::vector<Bytes> reports = Collect(device, c.reports);
    ASSERT_EQ(reports.size(), c.reports);
    Bytes carried;
    for (const Bytes& report : reports) {
        ASSERT_EQ(report.size(), size_t(c.outputLength));
        EXPECT_EQ(report[0], 0x00);
        carried.insert(carried.end(), report.begin() + 1, report.end());
    }
    Bytes expected = request;
    expected.resize(carried.size(), 0x00);
    EXPECT_EQ(carried, expected);
    Bytes extra;
    EXPECT_FALSE(device->receiveOutputReport(&extra, 200)) << "more reports than expected";
}

INSTANTIATE_TEST_SUITE_P(Lengths, HidPacking,
                         ::testing::Values(PackingCase{9, 3, 1}, PackingCase{9, 8, 1},
                                           PackingCase{9, 9, 2}, PackingCase{9, 42, 6},
                                           PackingCase{9, 57, 8}, PackingCase{65, 3, 1},
                                           PackingCase{65, 57, 1}, PackingCase{65, 64, 1},
                                           PackingCase{65, 65, 2}, PackingCase{2, 3, 3},
                                           PackingCase{16, 30, 2}));

class HidPackingBytes : public VhidBusTest {};

TEST_F(HidPackingBytes, ThreeByteRequestOverNineByteReports) {
    VirtualHidDevice* device = AddDevice("reader", 9, 9);
    DeviceHandle h = Open(device);
    const uint8_t request[] = {0x00, 0x01, 0x30};
    ASSERT_EQ(HidWriteReports(h, request, 3), ReaderOk);
    std::vector<Bytes> reports = Collect(device, 1);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], (Bytes{0x00, 0x00, 0x01, 0x30, 0x00, 0x00, 0x00, 0x00, 0x00}));
}

} // namespace
} // namespace hidtest
