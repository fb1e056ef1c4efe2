#include "tests/reader/hid_transport_fixture.h"

#include <filesystem>
#include <fstream>

namespace hidtest {
namespace {

class HidFindDevices : public VhidBusTest {};

TEST_F(HidFindDevices, ListsMatchingInterfacesInOrderOnce) {
    // Created out of order: listing goes by name.
    VirtualHidDevice* second = AddDevice("reader-b", 9, 9);
    VirtualHidDevice* first = AddDevice("reader-a", 65, 65);
    AddDevice("other-product", 9, 9, kVendor, 0x1234);
    AddDevice("other-vendor", 9, 9, 0x1234, kProduct);
    std::ofstream(folder() + "/not-a-socket") << "x";

    EXPECT_EQ(FindHidDevices(kProduct, kVendor), (HidPathList{first->path(), second->path()}));
    EXPECT_EQ(FindHidDevices(0x2007, 0x5131), HidPathList{});
    // Ids are 16-bit: an int argument outside that range matches nothing.
    EXPECT_EQ(FindHidDevices(kProduct + 0x10000, kVendor), HidPathList{});
}

TEST_F(HidFindDevices, LeavesOutAnInterfaceHeldExclusively) {
    VirtualHidDevice* held =
        AddDevice("held", 9, 9, kVendor, kProduct, VirtualHidDevice::Sharing::Exclusive);
    VirtualHidDevice* free = AddDevice("free", 9, 9);
    DeviceHandle h = platform::OpenHidPath(held->path());
    ASSERT_NE(h, platform::kInvalidHandle);
    EXPECT_EQ(FindHidDevices(kProduct, kVendor), HidPathList{free->path()});

    platform::CloseDeviceHandle(h);
    EXPECT_EQ(FindHidDevices(kProduct, kVendor), (HidPathList{free->path(), held->path()}));
}

TEST_F(HidFindDevices, SkipsAPathLongerThan255Characters) {
    // A folder deep enough that "vhid:<folder>/a" is exactly 255 characters.
    const size_t target = 255 - std::string("vhid:").size() - std::string("/a").size();
    std::string deep = folder();
    ASSERT_LT(deep.size() + 2, target);
    while (target - deep.size() > 60)
        deep += "/" + std::string(49, 'd');
    deep += "/" + std::string(target - deep.size() - 1, 'd');
    ASSERT_EQ(deep.size(), target);
    ASSERT_TRUE(std::filesystem::create_directories(deep));
    setenv("TXV_VHID_DIR", deep.c_str(), 1);

    VirtualHidDevice* fits =
        AddDevice("a", 9, 9, kVendor, kProduct, VirtualHidDevice::Sharing::Shared, deep);
    VirtualHidDevice* tooLong =
        AddDevice("ab", 9, 9, kVendor, kProduct, VirtualHidDevice::Sharing::Shared, deep);
    ASSERT_EQ(fits->path().size(), 255u);
    ASSERT_EQ(tooLong->path().size(), 256u);
    // The long one is a working interface; only the listing leaves it out.
    EXPECT_NE(Open(tooLong), platform::kInvalidHandle);
    EXPECT_EQ(FindHidDevices(kProduct, kVendor), HidPathList{fits->path()});
}

} // namespace
} // namespace hidtest
