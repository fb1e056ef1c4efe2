#include "platform/single_instance.h"
#include "tests/platform/test_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/stat.h>
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
    m_runtimeEnv.Set((m_folder + "/missing").c_str());
    platform::NamedLock lock = platform::CreateNamedLock("QLN207");
    EXPECT_LT(lock.fd, 0);
    EXPECT_FALSE(lock.alreadyExists);
}

// Without a runtime folder the lock lives in the user's cache, in a folder
// only the user can hold.
class NamedLockWithoutRuntimeDir : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_home.path().empty());
        m_runtimeEnv.Set(nullptr);
        m_cacheEnv.Set(nullptr);
    }

    std::filesystem::path LockFolder() {
        return std::filesystem::path(platform::NamedLockPath("QLN207")).parent_path();
    }

    test_support::TempFolder m_home;
    test_support::ScopedEnv m_runtimeEnv{"XDG_RUNTIME_DIR"};
    test_support::ScopedEnv m_homeEnv{"HOME", m_home.path()};
    test_support::ScopedEnv m_cacheEnv{"XDG_CACHE_HOME"};
};

bool IsPrivate(const std::filesystem::path& folder) {
    const auto perms = std::filesystem::status(folder).permissions();
    return (perms & std::filesystem::perms::all) == std::filesystem::perms::owner_all;
}

TEST_F(NamedLockWithoutRuntimeDir, UsesAPrivateFolderInTheCache) {
    const std::string home = m_home.path();
    struct Case {
        std::optional<std::string> cacheHome; // none: unset
        std::string folder;
    };
    const Case cases[] = {
        {std::nullopt, home + "/.cache/txv418k-demo"},
        {"", home + "/.cache/txv418k-demo"},
        {"relative", home + "/.cache/txv418k-demo"},
        {home + "/cache", home + "/cache/txv418k-demo"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        m_cacheEnv.Set(c.cacheHome ? c.cacheHome->c_str() : nullptr);
        EXPECT_EQ(LockFolder(), c.folder);
        EXPECT_TRUE(IsPrivate(c.folder));
    }
}

// Others who may write into the folder could hold the lock file and keep the
// program from starting.
TEST_F(NamedLockWithoutRuntimeDir, FolderOpenToOthersIsMadePrivateAgain) {
    const std::filesystem::path folder = LockFolder();
    ASSERT_FALSE(folder.empty());
    std::filesystem::permissions(folder, std::filesystem::perms::all);
    EXPECT_EQ(LockFolder(), folder);
    EXPECT_TRUE(IsPrivate(folder));
}

TEST_F(NamedLockWithoutRuntimeDir, FolderOfAnotherUserIsRefused) {
    if (geteuid() != 0)
        GTEST_SKIP() << "giving a folder to another user needs root";
    const std::filesystem::path folder = LockFolder();
    ASSERT_FALSE(folder.empty());
    ASSERT_EQ(chown(folder.c_str(), test_support::kNobodyId, test_support::kNobodyId), 0);
    EXPECT_TRUE(LockFolder().empty());
    platform::NamedLock lock = platform::CreateNamedLock("QLN207");
    EXPECT_LT(lock.fd, 0);
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

// A folder of the name once used in the shared /tmp, made there by another
// user: the lock holds all the same, and nothing goes into that folder.
TEST_F(NamedLockWithoutRuntimeDir, FolderPlantedInTmpDoesNotLetASecondInstanceRun) {
    if (geteuid() != 0)
        GTEST_SKIP() << "giving a folder to another user needs root";
    const std::string planted = "/tmp/txv-" + std::to_string(getuid());
    const std::string plantedLock = planted + "/QLN207.lock";
    const bool existed = std::filesystem::exists(planted);
    ASSERT_TRUE(existed || mkdir(planted.c_str(), 0777) == 0);
    struct stat before {};
    ASSERT_EQ(lstat(planted.c_str(), &before), 0);
    const bool lockExisted = std::filesystem::exists(plantedLock);
    ASSERT_EQ(chown(planted.c_str(), test_support::kNobodyId, test_support::kNobodyId), 0);

    platform::NamedLock first = platform::CreateNamedLock("QLN207");
    platform::NamedLock second = platform::CreateNamedLock("QLN207");
    EXPECT_GE(first.fd, 0);
    EXPECT_TRUE(second.alreadyExists);
    EXPECT_EQ(std::filesystem::exists(plantedLock), lockExisted);
    platform::CloseNamedLock(first);
    platform::CloseNamedLock(second);

    if (existed)
        EXPECT_EQ(chown(planted.c_str(), before.st_uid, before.st_gid), 0);
    else
        std::filesystem::remove_all(planted);
}

} // namespace
