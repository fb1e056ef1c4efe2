#pragma once
// A private working folder (for Language.ini), a fixed locale, English as the
// UI language and recorded message boxes, for every application test.

#include "app/ui_language.h"
#include "platform/ui/recorder.h"

#include <QApplication>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

class AppTestEnv : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/txv-app-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_folder = pattern;
        m_oldCwd = std::filesystem::current_path();
        std::filesystem::current_path(m_folder);
        for (const char* name : kLocaleVariables) {
            const char* value = std::getenv(name);
            m_savedEnv.push_back(value ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(name);
        }
        setenv("LANG", "en_US.UTF-8", 1);
        SetThreadUILanguage(0x0409);
    }

    void TearDown() override {
        SetThreadUILanguage(0x0409);
        for (size_t i = 0; i < std::size(kLocaleVariables); ++i) {
            if (m_savedEnv[i])
                setenv(kLocaleVariables[i], m_savedEnv[i]->c_str(), 1);
            else
                unsetenv(kLocaleVariables[i]);
        }
        std::filesystem::current_path(m_oldCwd);
        std::filesystem::remove_all(m_folder);
    }

    void WriteFileBytes(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream out(m_folder + "/" + name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    std::vector<uint8_t> ReadFileBytes(const std::string& name) {
        std::ifstream in(m_folder + "/" + name, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }

    static constexpr const char* kLocaleVariables[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::string m_folder;
    std::filesystem::path m_oldCwd;
    std::vector<std::optional<std::string>> m_savedEnv;
    ui::UiRecorder m_recorder;
};
