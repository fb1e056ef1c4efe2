#include "platform/single_instance.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace {

class NamedLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/txv-lock-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_folder = pattern;
        const char* old = std::getenv("XDG_RUNTIME_DIR");
        m_hadOld = old != nullptr;
        if (old)
            m_old = old;
        setenv("XDG_RUNTIME_DIR", m_folder.c_str(), 1);
    }
    void TearDown() override {
        if (m_hadOld)
            setenv("XDG_RUNTIME_DIR", m_old.c_str(), 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
        std::filesystem::remove_all(m_folder);
    }

    std::string m_folder;
    std::string m_old;
    bool m_hadOld = false;
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

} // namespace
