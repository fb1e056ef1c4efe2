#pragma once
// Private temporary folders and environment variables that point at them for
// as long as a test runs. ctest runs tests side by side, so each test gets
// folders of its own and leaves the environment as it found it.

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>

namespace test_support {

// The user "nobody" and its group: what a test run as root takes on, or gives
// a file to, to meet the checks an ordinary user meets.
inline constexpr uid_t kNobodyId = 65534;

// A new folder in the temporary folder ($TMPDIR), removed with its content at
// destruction; path() is empty when none could be made.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "txv-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            m_path = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// One environment variable, restored at destruction.
class ScopedEnv {
public:
    explicit ScopedEnv(const char* name) : m_name(name) {
        if (const char* value = std::getenv(name))
            m_old = value;
    }
    ScopedEnv(const char* name, const std::string& value) : ScopedEnv(name) { Set(value.c_str()); }
    ~ScopedEnv() { Set(m_old ? m_old->c_str() : nullptr); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

    // Null unsets the variable.
    void Set(const char* value) {
        if (value)
            setenv(m_name, value, 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

// A virtual HID bus of the test's own: a temporary folder that TXV_VHID_DIR
// names while the object lives.
class PrivateVhidBus {
public:
    const std::string& path() const { return m_folder.path(); }

private:
    TempFolder m_folder;
    ScopedEnv m_env{"TXV_VHID_DIR", m_folder.path()};
};

} // namespace test_support
