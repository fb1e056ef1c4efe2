#pragma once
// A private working folder (for Language.ini), a fixed locale, English as the
// UI language and recorded message boxes, for every application test.

#include "app/ui_language.h"
#include "platform/ui/recorder.h"
#include "tests/platform/test_folder.h"

#include <QApplication>
#include <QWidget>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

class AppTestEnv : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_temp.path().empty());
        m_folder = m_temp.path();
        m_oldCwd = std::filesystem::current_path();
        std::filesystem::current_path(m_folder);
        m_lcAll.Set(nullptr);
        m_lcMessages.Set(nullptr);
        m_lang.Set("en_US.UTF-8");
        SetThreadUILanguage(0x0409);
    }

    void TearDown() override {
        SetThreadUILanguage(0x0409);
        std::filesystem::current_path(m_oldCwd);
    }

    void WriteFileBytes(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream out(m_folder + "/" + name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    std::vector<uint8_t> ReadFileBytes(const std::string& name) {
        std::ifstream in(m_folder + "/" + name, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }

    // The names in the working folder, to show that no temporary file stayed
    // behind.
    std::set<std::string> FolderEntries() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder))
            names.insert(entry.path().filename().string());
        return names;
    }

    test_support::TempFolder m_temp;
    // The locale the program reads its system language from, restored after.
    test_support::ScopedEnv m_lcAll{"LC_ALL"};
    test_support::ScopedEnv m_lcMessages{"LC_MESSAGES"};
    test_support::ScopedEnv m_lang{"LANG"};
    std::string m_folder;
    std::filesystem::path m_oldCwd;
    ui::UiRecorder m_recorder;
};
