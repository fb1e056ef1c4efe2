// The main dialog's connection over mocked /dev/hidrawN nodes and udev
// events: a reader unplugged while it answers, arrival and removal, and a
// reader the user may not open.

#include "platform/hid.h"
#include "res/resource.h"
#include "tests/app/app_connect_fixture.h"
#include "tests/platform/test_folder.h"
#include "tests/umockdev/hidraw_testbed.h"
#include "tests/umockdev/node_reader.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <string_view>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using umockdev_test::HidrawTestbed;
using umockdev_test::MockNode;
using umockdev_test::MockReader;
using umockdev_test::NodeReader;
using umockdev_test::NodeReaderOptions;

// The rows of the device table: "hid1" first, then "hid2".
constexpr MockReader kHid1Reader{0x5131, 0x2007, 9, 0};
constexpr MockReader kHid2Reader{0x0483, 0x572B, 65, 0};

class UmockdevConnect : public AppConnect {
protected:
    void SetUp() override {
        AppConnect::SetUp();
        ASSERT_TRUE(HidrawTestbed::PreloadActive())
            << "run under LD_PRELOAD=libumockdev-preload.so.0";
    }

    uint16_t OpenProductId() const {
        platform::HidAttributes attributes;
        return platform::HidGetAttributes(m_dialog->m_hDevice, &attributes) ? attributes.productId
                                                                            : 0;
    }

    // Made before the dialog, whose device monitor listens to it from the start.
    HidrawTestbed m_testbed;
};

TEST_F(UmockdevConnect, WalkGoesOnPastAReaderUnpluggedWhileItAnswers) {
    NodeReader unplugged(m_testbed.Add(kHid1Reader, 0), NodeReaderOptions{.hangUpAfterReports = 1});
    NodeReader answering(m_testbed.Add(kHid2Reader, 1), NodeReaderOptions{});
    Open();

    Click(CDQ450DemoDlg::IDC_CONNECT);
    EXPECT_EQ(unplugged.RequestCount(), 1u);
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
    EXPECT_EQ(m_dialog->Caption(), String(112));
    EXPECT_EQ(Status(), String(112));
    EXPECT_EQ(Text(IDC_VERSION), "TXV-UMOCKDEV V1.0");
    EXPECT_EQ(OpenProductId(), kHid2Reader.productId);
}

// Another vendor's device comes first: its arrival must neither connect nor
// raise the not-found box. A removal with the reader's ids while its node is
// still there is another reader's.
TEST_F(UmockdevConnect, ReaderArrivalConnectsAndItsRemovalDisconnects) {
    Open();
    m_testbed.Add({0x1234, 0x5678, 65, 0}, 3);
    MockNode& node = m_testbed.Add({kHid1Reader.vendorId, kHid1Reader.productId, 65, 0}, 5);
    NodeReader reader(node, NodeReaderOptions{});
    ASSERT_TRUE(WaitFor([this] { return m_dialog->Caption() == String(112); }));
    EXPECT_EQ(Status(), String(112));
    EXPECT_EQ(OpenProductId(), kHid1Reader.productId);
    const DeviceHandle open = m_dialog->m_hDevice;

    m_testbed.UsbEvent(node, "remove");
    ASSERT_TRUE(WaitFor([this] { return m_dialog->DeviceChangesPending(); }));
    ASSERT_TRUE(WaitFor([this] { return !m_dialog->DeviceChangesPending(); }));
    EXPECT_EQ(m_dialog->m_hDevice, open);
    EXPECT_EQ(Status(), "");

    m_testbed.Unplug(node);
    ASSERT_TRUE(WaitFor([this] { return IsNoDevice(m_dialog->m_hDevice) && Status().empty(); }));
    EXPECT_EQ(m_dialog->Caption(), String(111));
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
}

struct DriverOutput {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The environment for the driver, less what "nobody" could not read: the
// leak checker's suppressions file lies in the tree, perhaps under /root.
std::vector<char*> DriverEnvironment() {
    std::vector<char*> env;
    for (char** entry = environ; *entry; ++entry) {
        if (std::string_view(*entry).starts_with("LSAN_OPTIONS="))
            continue;
        env.push_back(*entry);
    }
    env.push_back(nullptr);
    return env;
}

// Runs the connect driver in folder. Root opens a node whatever its mode, so
// a root test runs it under the ids of "nobody", from a copy in folder since
// the build tree may lie where "nobody" cannot reach.
DriverOutput RunConnectDriver(const std::string& folder) {
    const std::string driver = folder + "/connect_driver";
    std::filesystem::copy_file(TXV_UMOCKDEV_CONNECT_DRIVER, driver,
                               std::filesystem::copy_options::overwrite_existing);
    std::vector<std::string> args;
    if (geteuid() == 0) {
        const std::string nobody = std::to_string(test_support::kNobodyId);
        args = {"/usr/bin/setpriv", "--reuid=" + nobody, "--regid=" + nobody, "--clear-groups"};
    }
    args.push_back(driver);
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<char*> env = DriverEnvironment();

    const std::string outPath = folder + "/out";
    const std::string errPath = folder + "/err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT, 0644);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    DriverOutput output;
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid)
        return output;
    output.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    output.out = FileText(outPath);
    output.err = FileText(errPath);
    return output;
}

size_t Occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST(UmockdevPermission, ReaderClosedToTheUserIsNamedInTheNotFoundBox) {
    HidrawTestbed testbed;
    ASSERT_TRUE(HidrawTestbed::PreloadActive());
    MockNode& node = testbed.Add(kHid2Reader, 0);
    HidrawTestbed::DenyAccess(node);
    testbed.OpenToAllUsers();
    test_support::TempFolder folder;
    ASSERT_EQ(chmod(folder.path().c_str(), 0755), 0);

    const DriverOutput run = RunConnectDriver(folder.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::string notice = res::LoadNotice(res::Notice::HidPermission, res::Language::English);
    notice.replace(notice.find("%s"), 2, node.devnode);
    EXPECT_EQ(run.out.rfind("Error\n", 0), 0u) << run.out;
    EXPECT_EQ(Occurrences(run.out, notice), 1u) << run.out;
    EXPECT_EQ(Occurrences(run.err, "no permission to open " + node.devnode), 1u) << run.err;
}

} // namespace
