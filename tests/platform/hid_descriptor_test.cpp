#include "platform/hid_descriptor.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// A vendor collection with one input and one output report of n bytes each.
Bytes VendorInOut(uint8_t n) {
    return {0x06, 0x00, 0xFF,       // usage page (vendor)
            0x09, 0x01,             // usage
            0xA1, 0x01,             // collection (application)
            0x15, 0x00,             // logical minimum 0
            0x26, 0xFF, 0x00,       // logical maximum 255
            0x75, 0x08,             // report size 8
            0x95, n,    0x09, 0x01, // report count n, usage
            0x81, 0x02,             // input (data, variable, absolute)
            0x95, n,    0x09, 0x01, // report count n, usage
            0x91, 0x02,             // output
            0xC0};
}

struct DescriptorCase {
    std::string name;
    Bytes descriptor;
    int input;
    int output;
    bool reportIds;
};

class HidDescriptor : public ::testing::TestWithParam<DescriptorCase> {};

TEST_P(HidDescriptor, ReportsLargestReportsWithTheIdByte) {
    const DescriptorCase& c = GetParam();
    platform::HidReportSizes sizes;
    ASSERT_TRUE(
        platform::ParseHidReportDescriptor(c.descriptor.data(), c.descriptor.size(), &sizes));
    EXPECT_EQ(sizes.inputReportLength, c.input);
    EXPECT_EQ(sizes.outputReportLength, c.output);
    EXPECT_EQ(sizes.usesReportIds, c.reportIds);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, HidDescriptor,
    ::testing::Values(
        DescriptorCase{"Vendor8", VendorInOut(8), 9, 9, false},
        DescriptorCase{"Vendor64", VendorInOut(64), 65, 65, false},
        DescriptorCase{"ReportIds",
                       {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08,
                        0x85, 0x01, 0x95, 0x08, 0x09, 0x01, 0x81, 0x02, // id 1: 8 in
                        0x85, 0x02, 0x95, 0x20, 0x09, 0x01, 0x81, 0x02, // id 2: 32 in
                        0x85, 0x03, 0x95, 0x10, 0x09, 0x01, 0x91, 0x02, // id 3: 16 out
                        0xC0},
                       33,
                       17,
                       true},
        // Boot keyboard: bit fields add up across items and round up to bytes.
        DescriptorCase{
            "Keyboard",
            {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7,
             0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02,             // modifiers
             0x95, 0x01, 0x75, 0x08, 0x81, 0x01,                                     // reserved
             0x95, 0x05, 0x75, 0x01, 0x05, 0x08, 0x19, 0x01, 0x29, 0x05, 0x91, 0x02, // 5 LED bits
             0x95, 0x01, 0x75, 0x03, 0x91, 0x01,                                     // LED padding
             0x95, 0x06, 0x75, 0x08, 0x15, 0x00, 0x25, 0x65, 0x05, 0x07, 0x19, 0x00,
             0x29, 0x65, 0x81, 0x00, // 6 key codes
             0xC0},
            9,
            2,
            false},
        DescriptorCase{"PushPop",
                       {0x75, 0x08, 0x95, 0x04, 0xA4, 0x95, 0x3C, 0x81, 0x02, 0xB4, 0x91, 0x02},
                       61,
                       5,
                       false},
        DescriptorCase{"PartialByte", {0x75, 0x04, 0x95, 0x03, 0x81, 0x02}, 3, 0, false},
        DescriptorCase{"LongItemSkipped",
                       {0xFE, 0x02, 0x10, 0x81, 0x91, 0x75, 0x08, 0x95, 0x08, 0x81, 0x02},
                       9,
                       0,
                       false},
        DescriptorCase{"Largest", {0x75, 0x08, 0x96, 0xFF, 0xFF, 0x81, 0x02}, 65536, 0, false},
        DescriptorCase{"Empty", {}, 0, 0, false}),
    [](const ::testing::TestParamInfo<DescriptorCase>& info) { return info.param.name; });

struct MalformedCase {
    std::string name;
    Bytes descriptor;
};

class HidDescriptorMalformed : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(HidDescriptorMalformed, IsRefused) {
    const MalformedCase& c = GetParam();
    platform::HidReportSizes sizes;
    EXPECT_FALSE(
        platform::ParseHidReportDescriptor(c.descriptor.data(), c.descriptor.size(), &sizes));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, HidDescriptorMalformed,
    ::testing::Values(
        MalformedCase{"ItemCutShort", {0x75, 0x08, 0x26, 0xFF}},
        MalformedCase{"LongItemCutShort", {0xFE, 0x10, 0x00, 0x01}},
        MalformedCase{"ReportIdZero", {0x85, 0x00}},
        MalformedCase{"ReportIdAbove255", {0x86, 0x00, 0x01}},
        MalformedCase{"PopWithoutPush", {0xB4}}, MalformedCase{"PushTooDeep", Bytes(33, 0xA4)},
        // 2^32-1 bits of 2^32-1 fields: must not wrap into a small size.
        MalformedCase{"HugeReport",
                      {0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF, 0xFF, 0xFF, 0xFF, 0x81, 0x02}},
        MalformedCase{"ReportOver65535Bytes",
                      {0x75, 0x08, 0x96, 0xFF, 0xFF, 0x81, 0x02, 0x95, 0x01, 0x81, 0x02}}),
    [](const ::testing::TestParamInfo<MalformedCase>& info) { return info.param.name; });

} // namespace
