#include "platform/clock.h"
#include "platform/port_map.h"
#include "platform/serial.h"
#include "tests/platform/serial_test_port.h"

#include <algorithm>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <numeric>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <thread>

using namespace platform;

namespace {

class SerialPortTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (!IsNoDevice(h))
            CloseDeviceHandle(h);
    }

    std::vector<uint8_t> Read(size_t count) {
        std::vector<uint8_t> bytes(count);
        long n = SerialRead(h, bytes.data(), count);
        bytes.resize(n < 0 ? 0 : size_t(n));
        return bytes;
    }

    SerialTestPort port;
    DeviceHandle h = kInvalidHandle;
};

using test_support::ScopedEnv;

} // namespace

TEST(SerialPortsDir, FollowsTheEnvironmentInOrder) {
    ScopedEnv ports("TXV_PORTS_DIR"), config("XDG_CONFIG_HOME"), home("HOME");
    struct Case {
        const char* ports;
        const char* config;
        const char* home;
        std::string expected;
    } cases[] = {
        {"/p", "/c", "/h", "/p"},
        {"", "/c", "/h", "/c/txv/ports"},
        {nullptr, "/c", "/h", "/c/txv/ports"},
        {nullptr, "", "/h", "/h/.config/txv/ports"},
        {nullptr, nullptr, "/h", "/h/.config/txv/ports"},
    };
    for (const Case& c : cases) {
        ports.Set(c.ports);
        config.Set(c.config);
        home.Set(c.home);
        EXPECT_EQ(PortsDir(), c.expected) << c.expected;
    }
}

TEST_F(SerialPortTest, ResolvesComNamesThroughThePortsFolder) {
    ASSERT_TRUE(port.Link("com12"));
    const std::string com1 = port.dir() + "/com1";
    struct Case {
        const char* name;
        std::string expected;
    } cases[] = {
        {"com1", com1},
        {"COM1", com1},
        {"\\\\.\\com1", com1},
        {"\\\\.\\COM12", port.dir() + "/com12"},
        {"/dev/ttyUSB0", "/dev/ttyUSB0"},
        {"\\\\.\\/dev/ttyACM3", "/dev/ttyACM3"},
        {"comx", "comx"},
        {"com", "com"},
        {"com1x", "com1x"},
        // No link and no device: numbered devices start at 1, and a number
        // this long names none.
        {"com0", ""},
        {"com1234567890", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolvePortName(c.name), c.expected) << c.name;
}

TEST_F(SerialPortTest, OpensRaw8N1AtEachRate) {
    const std::pair<int, speed_t> rates[] = {
        {4800, B4800}, {9600, B9600}, {19200, B19200}, {38400, B38400}, {115200, B115200}};
    for (auto [baud, speed] : rates) {
        DeviceHandle opened = OpenSerialPort("com1", baud);
        ASSERT_FALSE(IsNoDevice(opened)) << baud;
        // The master's settings are the slave's.
        termios tio{};
        ASSERT_EQ(tcgetattr(port.pty.masterFd(), &tio), 0);
        EXPECT_EQ(cfgetospeed(&tio), speed) << baud;
        EXPECT_EQ(cfgetispeed(&tio), speed) << baud;
        EXPECT_EQ(tio.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), tcflag_t(CS8)) << baud;
        EXPECT_TRUE(tio.c_cflag & CLOCAL);
        EXPECT_TRUE(tio.c_cflag & CREAD);
        EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
        EXPECT_EQ(tio.c_iflag & (ICRNL | IXON), 0u);
        EXPECT_EQ(tio.c_oflag & OPOST, 0u);
        EXPECT_TRUE(CloseDeviceHandle(opened));
    }
}

TEST_F(SerialPortTest, OpensWithoutFlowControlWhateverThePortWasLeftWith) {
    termios left{};
    ASSERT_EQ(tcgetattr(port.pty.masterFd(), &left), 0);
    left.c_iflag |= IXON | IXOFF | IXANY;
    left.c_cflag |= CRTSCTS;
    ASSERT_EQ(tcsetattr(port.pty.masterFd(), TCSANOW, &left), 0);
    ASSERT_EQ(tcgetattr(port.pty.masterFd(), &left), 0);
    ASSERT_EQ(left.c_iflag & (IXON | IXOFF | IXANY), tcflag_t(IXON | IXOFF | IXANY));
    ASSERT_TRUE(left.c_cflag & CRTSCTS);

    h = OpenSerialPort("com1", 9600);
    ASSERT_FALSE(IsNoDevice(h));
    termios tio{};
    ASSERT_EQ(tcgetattr(port.pty.masterFd(), &tio), 0);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | IXANY), 0u);
    EXPECT_EQ(tio.c_cflag & CRTSCTS, 0u);
}

TEST_F(SerialPortTest, ClosingPutsBackTheLineSettingsFound) {
    const termios found = LineModeAt38400(port.pty.masterFd());
    h = OpenSerialPort("com1", 9600);
    ASSERT_FALSE(IsNoDevice(h));
    termios tio{};
    ASSERT_EQ(tcgetattr(port.pty.masterFd(), &tio), 0);
    EXPECT_EQ(cfgetospeed(&tio), speed_t(B9600));
    EXPECT_EQ(tio.c_lflag & ICANON, 0u);

    ASSERT_TRUE(CloseDeviceHandle(h));
    h = kInvalidHandle;
    ExpectLineAsFound(port.pty.masterFd(), found);
}

TEST_F(SerialPortTest, PortHeldByAnotherProgramIsLeftAlone) {
    struct Hold {
        const char* what;
        bool (*take)(int fd);
    } holds[] = {
        {"flock", [](int fd) { return flock(fd, LOCK_EX | LOCK_NB) == 0; }},
        {"TIOCEXCL", [](int fd) { return ioctl(fd, TIOCEXCL) == 0; }},
    };
    for (const Hold& hold : holds) {
        const int other = open(port.pty.slavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        ASSERT_GE(other, 0);
        const termios found = LineModeAt38400(other);
        ASSERT_TRUE(hold.take(other)) << hold.what;

        EXPECT_EQ(OpenSerialPort("com1", 9600), kInvalidHandle) << hold.what;
        ExpectLineAsFound(other, found);

        ioctl(other, TIOCNXCL);
        close(other);
        const DeviceHandle freed = OpenSerialPort("com1", 9600);
        EXPECT_FALSE(IsNoDevice(freed)) << hold.what << ": free again once let go";
        CloseDeviceHandle(freed);
    }
}

TEST_F(SerialPortTest, RefusalForLackOfPermissionNamesTheNode) {
    // Nobody must get through the ports folder to the node behind the link.
    ASSERT_EQ(chmod(port.dir().c_str(), 0755), 0);
    std::string message;
    {
        DeniedNode denied(port.pty.slavePath());
        testing::internal::CaptureStderr();
        EXPECT_EQ(OpenSerialPort("com1", 9600), kInvalidHandle);
        message = testing::internal::GetCapturedStderr();
        EXPECT_EQ(SerialOpenDeniedNode("com1"), port.pty.slavePath());
        EXPECT_EQ(SerialOpenDeniedNode("\\\\.\\COM1"), port.pty.slavePath());
        EXPECT_EQ(SerialOpenDeniedNode("com2"), "") << "a port that was not tried";
    }
    EXPECT_NE(message.find(port.pty.slavePath()), std::string::npos) << message;
    EXPECT_NE(message.find("dialout"), std::string::npos) << message;
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;

    EXPECT_EQ(OpenSerialPort(port.dir() + "/missing", 9600), kInvalidHandle);
    EXPECT_EQ(SerialOpenDeniedNode(port.dir() + "/missing"), "") << "another kind of failure";
    EXPECT_EQ(SerialOpenDeniedNode("com1"), "");
    h = OpenSerialPort("com1", 9600);
    EXPECT_FALSE(IsNoDevice(h));
    EXPECT_EQ(SerialOpenDeniedNode("com1"), "");
}

TEST_F(SerialPortTest, RefusesWhatIsNoUsablePort) {
    const std::string plainFile = port.dir() + "/plain";
    std::ofstream(plainFile) << "x";
    struct Case {
        std::string name;
        int baud;
    } cases[] = {
        {"com1", 57600},   {"com1", 0}, {"com0", 9600}, {port.dir() + "/missing", 9600},
        {plainFile, 9600},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OpenSerialPort(c.name, c.baud), kInvalidHandle) << c.name << " " << c.baud;
    EXPECT_FALSE(port.OpenedSinceLastAsk()) << "a refused rate must not touch the port";
}

TEST_F(SerialPortTest, OpenIsExclusiveUnderEveryName) {
    h = OpenSerialPort("com1", 9600);
    ASSERT_FALSE(IsNoDevice(h));
    EXPECT_EQ(OpenSerialPort("com1", 9600), kInvalidHandle);
    EXPECT_EQ(OpenSerialPort(port.pty.slavePath(), 115200), kInvalidHandle);

    ASSERT_TRUE(CloseDeviceHandle(h));
    h = OpenSerialPort(port.pty.slavePath(), 9600);
    EXPECT_FALSE(IsNoDevice(h)) << "a closed port opens again";
}

TEST_F(SerialPortTest, OpeningDropsWhatWaitedOnTheLine) {
    port.Send({1, 2, 3});
    h = OpenSerialPort("com1", 9600);
    ASSERT_FALSE(IsNoDevice(h));
    EXPECT_EQ(SerialBytesQueued(h), 0);
}

TEST_F(SerialPortTest, MovesBytesBothWaysInOrder) {
    h = OpenSerialPort("com1", 9600);
    ASSERT_FALSE(IsNoDevice(h));
    const std::vector<uint8_t> out = {0x00, 0x03, 'A', 'Y', 0x0d, 0x0a, 0x11, 0xff};
    EXPECT_EQ(SerialWrite(h, out.data(), out.size()), long(out.size()));
    EXPECT_EQ(port.Receive(out.size()), out);

    port.Send({5, 6, 7, 8, 9});
    EXPECT_EQ(SerialWaitQueued(h, 5, 2000), 5);
    // The wait moved the bytes out of the driver; they still count and
    // still come first.
    EXPECT_EQ(SerialBytesQueued(h), 5);
    EXPECT_EQ(Read(2), (std::vector<uint8_t>{5, 6}));
    EXPECT_EQ(SerialBytesQueued(h), 3);
    port.Send({10});
    EXPECT_EQ(Read(4), (std::vector<uint8_t>{7, 8, 9, 10}));
}

TEST_F(SerialPortTest, WaitQueuedHoldsOutForTheWholeCount) {
    h = OpenSerialPort("com1", 9600);
    ASSERT_FALSE(IsNoDevice(h));
    port.Send({1});
    std::thread device([&] {
        SleepMs(100);
        port.Send({2});
        SleepMs(100);
        port.Send({3, 4});
    });
    EXPECT_GE(SerialWaitQueued(h, 4, 3000), 4);
    device.join();
    EXPECT_EQ(Read(4), (std::vector<uint8_t>{1, 2, 3, 4}));
}

TEST_F(SerialPortTest, InputBeyondTheWaitBufferArrivesWhole) {
    h = OpenSerialPort("com1", 115200);
    ASSERT_FALSE(IsNoDevice(h));
    std::vector<uint8_t> sent(6000);
    std::iota(sent.begin(), sent.end(), uint8_t(0));
    std::thread device([&] { port.Send(sent); });
    EXPECT_GE(SerialWaitQueued(h, int(sent.size()), 5000), int(sent.size()));
    EXPECT_EQ(Read(sent.size()), sent);
    device.join();
}

TEST_F(SerialPortTest, ReadReturnsWhatArrivedWhenTheTimeOutPasses) {
    h = OpenSerialPort("com1", 9600);
    ASSERT_FALSE(IsNoDevice(h));
    port.Send({0x42});
    EXPECT_EQ(Read(2), (std::vector<uint8_t>{0x42}));
}

TEST_F(SerialPortTest, PurgeDropsBufferedAndDriverInput) {
    h = OpenSerialPort("com1", 9600);
    ASSERT_FALSE(IsNoDevice(h));
    port.Send({1, 2, 3});
    ASSERT_EQ(SerialWaitQueued(h, 3, 2000), 3);
    EXPECT_TRUE(SerialPurge(h, true, true));
    EXPECT_EQ(SerialBytesQueued(h), 0);
    port.Send({9});
    EXPECT_EQ(Read(1), (std::vector<uint8_t>{9}));
}

TEST_F(SerialPortTest, IdleWaitEndsAtWakeOrData) {
    h = OpenSerialPort("com1", 9600);
    ASSERT_FALSE(IsNoDevice(h));
    EXPECT_FALSE(SerialWaitReadableOrWake(h, 50)) << "silence";

    WakeIdleWaits(h);
    port.Send({1});
    ASSERT_EQ(SerialWaitQueued(h, 1, 2000), 1);
    EXPECT_FALSE(SerialWaitReadableOrWake(h, 5000)) << "a set wake wins";
    ClearIdleWake(h);
    EXPECT_TRUE(SerialWaitReadableOrWake(h, 5000)) << "bytes wait";

    Read(1);
    std::thread device([&] {
        SleepMs(50);
        port.Send({2});
    });
    EXPECT_TRUE(SerialWaitReadableOrWake(h, 5000)) << "bytes arrive";
    device.join();
}

TEST_F(SerialPortTest, HungUpLineFailsWithoutWaitingOutTheTimeOut) {
    h = OpenSerialPort("com1", 9600);
    ASSERT_FALSE(IsNoDevice(h));
    port.pty.Close();
    uint32_t start = TickCount();
    EXPECT_LT(SerialWaitQueued(h, 2, 20000), 2);
    uint8_t byte = 0;
    EXPECT_EQ(SerialRead(h, &byte, 1), -1);
    EXPECT_EQ(SerialWrite(h, &byte, 1), -1);
    EXPECT_LT(TickCount() - start, 10000u);
}

TEST(SerialOnOtherHandles, FailsCleanly) {
    struct NotAPort : OpenDevice {};
    const DeviceHandle other = RegisterDevice(std::make_shared<NotAPort>());
    const DeviceHandle handles[] = {other, 0, kInvalidHandle, other + 1000};
    for (DeviceHandle h : handles) {
        uint8_t byte = 0;
        EXPECT_EQ(SerialWrite(h, &byte, 1), -1) << h;
        EXPECT_EQ(SerialRead(h, &byte, 1), -1) << h;
        EXPECT_EQ(SerialBytesQueued(h), 0) << h;
        EXPECT_EQ(SerialWaitQueued(h, 1, 1000), 0) << h;
        EXPECT_FALSE(SerialWaitReadableOrWake(h, 1000)) << h;
        EXPECT_FALSE(SerialPurge(h, true, true)) << h;
    }
    EXPECT_TRUE(CloseDeviceHandle(other));
}
