#include "platform/single_instance.h"
#include "tests/platform/test_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace {

class NamedLockTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_folder.empty()); }

    test_support::TempFolder m_runtimeDir;
    const std::string m_folder = m_runtimeDir.path();
    test_support::ScopedEnv m_runtimeEnv{"XDG_RUNTIME_DIR", m_folder};
};

TEST_F(NamedLockTest, SecondHolderSeesTheLockUntilTheFirstCloses) {
    platform::NamedLock first = platform::CreateNamedLock("QLN207");
    ASSERT_GE(first.fd, 0);
    EXPECT_FALSE(first.alreadyExists);
    EXPECT_TRUE(std::filesystem::exists(m_folder + "/QLN207.lock"));

    platform::NamedLock second = platform::CreateNamedLock("QLN207");
    EXPECT_TRUE(second.alreadyExists);
    EXPECT_LT(second.fd, 0);

    platform::NamedLock other = platform::CreateNamedLock("another");
    EXPECT_GE(other.fd, 0);
    EXPECT_FALSE(other.alreadyExists);

    platform::CloseNamedLock(first);
    EXPECT_LT(first.fd, 0);
    platform::NamedLock third = platform::CreateNamedLock("QLN207");
    EXPECT_GE(third.fd, 0);
    EXPECT_FALSE(third.alreadyExists);

    platform::CloseNamedLock(third);
    platform::CloseNamedLock(other);
    platform::CloseNamedLock(second);
}

TEST_F(NamedLockTest, UnusableFolderNeitherHoldsNorReportsAnInstance) {
    setenv("XDG_RUNTIME_DIR", (m_folder + "/missing").c_str(), 1);
    platform::NamedLock lock = platform::CreateNamedLock("QLN207");
    EXPECT_LT(lock.fd, 0);
    EXPECT_FALSE(lock.alreadyExists);
}

TEST_F(NamedLockTest, WithoutRuntimeDirUsesAPrivatePerUserFolder) {
    unsetenv("XDG_RUNTIME_DIR");
    std::string path = platform::NamedLockPath("QLN207");
    EXPECT_EQ(path, "/tmp/txv-" + std::to_string(getuid()) + "/QLN207.lock");
    auto perms = std::filesystem::status(std::filesystem::path(path).parent_path()).permissions();
    EXPECT_EQ(perms & std::filesystem::perms::all, std::filesystem::perms::owner_all);
}

// Others who may write into the folder could hold the lock file and keep the
// program from starting.
TEST_F(NamedLockTest, PerUserFolderOpenToOthersIsMadePrivateAgain) {
    unsetenv("XDG_RUNTIME_DIR");
    const std::filesystem::path folder =
        std::filesystem::path(platform::NamedLockPath("QLN207")).parent_path();
    ASSERT_FALSE(folder.empty());
    std::filesystem::permissions(folder, std::filesystem::perms::all);
    EXPECT_FALSE(platform::NamedLockPath("QLN207").empty());
    const auto perms = std::filesystem::status(folder).permissions();
    EXPECT_EQ(perms & std::filesystem::perms::all, std::filesystem::perms::owner_all);
}

} // namespace
