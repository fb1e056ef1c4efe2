#include "app/language_file.h"
#include "app/main_dialog.h"
#include "app/ui_language.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/qt_access.h"
#include "platform/ui/strings.h"
#include "platform/ui/ui_thread.h"
#include "tests/app/app_test_support.h"
#include "tests/platform/serial_test_port.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using AppLanguage = AppTestEnv;

TEST_F(AppLanguage, StartupLanguageAndComboItemFollowTheFile) {
    struct Case {
        const char* what;
        std::optional<std::vector<uint8_t>> file; // none: no file at all
        const char* lang;                         // the system's locale
        uint16_t uiLanguage;
        res::Language resources;
        int comboItem;
    };
    const Case cases[] = {
        {"Hong Kong", std::vector<uint8_t>{0x04, 0x0C}, "en_US", 0x0404, res::Language::English, 1},
        {"PRC", std::vector<uint8_t>{0x04, 0x08}, "en_US", 0x0804, res::Language::Chinese, 0},
        {"English", std::vector<uint8_t>{0x09, 0x04}, "zh_CN", 0x0409, res::Language::English, 1},
        {"Czech", std::vector<uint8_t>{0x05, 0x04}, "en_US", 0x0405, res::Language::English, 1},
        {"French", std::vector<uint8_t>{0x0C, 0x04}, "en_US", 0x040C, res::Language::English, 1},
        {"Spanish", std::vector<uint8_t>{0x0A, 0x0C}, "en_US", 0x040A, res::Language::English, 1},
        {"empty file", std::vector<uint8_t>{}, "zh_CN", 0x0409, res::Language::English, 1},
        {"one byte", std::vector<uint8_t>{0x04}, "zh_CN", 0x0409, res::Language::English, 1},
        {"longer file", std::vector<uint8_t>{0x04, 0x08, 0x09, 0x04}, "en_US", 0x0804,
         res::Language::Chinese, 0},
        {"no file, Spanish system", std::nullopt, "es_ES.UTF-8", 0x040A, res::Language::English, 1},
        {"no file, Chinese system", std::nullopt, "zh_CN.UTF-8", 0x0804, res::Language::Chinese, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(kLanguageFileName);
        if (c.file)
            WriteFileBytes(kLanguageFileName, *c.file);
        m_lang.Set(c.lang);

        ApplyStartupLanguage();
        EXPECT_EQ(GetThreadUILanguage(), c.uiLanguage);
        EXPECT_EQ(ui::UiLanguage(), c.resources);

        CDQ450DemoDlg dialog;
        ASSERT_TRUE(dialog.CreateModeless());
        EXPECT_EQ(dialog.Language(), c.resources);
        EXPECT_EQ(dialog.m_cbLanguage.GetCurSel(), c.comboItem);
        dialog.DestroyWindow();
    }
}

TEST_F(AppLanguage, OnlyARegularFileIsRead) {
    WriteFileBytes("english", {0x09, 0x04});
    m_lang.Set("zh_CN.UTF-8");
    struct Case {
        const char* what;
        std::function<void()> plant;
        uint16_t value;
    };
    const Case cases[] = {
        {"folder", [] { std::filesystem::create_directory(kLanguageFileName); }, 0x0804},
        {"link to a device",
         [] { std::filesystem::create_symlink("/dev/zero", kLanguageFileName); }, 0x0804},
        {"link to a regular file",
         [] { std::filesystem::create_symlink("english", kLanguageFileName); }, 0x0409},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(kLanguageFileName);
        c.plant();
        EXPECT_EQ(ReadLanguageValue(), c.value);
    }
}

// Opening a pipe for reading waits for a writer; the start-up must not.
TEST_F(AppLanguage, PipeCountsAsMissingWithoutWaitingForAWriter) {
    ASSERT_EQ(mkfifo(kLanguageFileName, 0600), 0);
    m_lang.Set("zh_CN.UTF-8");
    std::future<uint16_t> read = std::async(std::launch::async, ReadLanguageValue);
    if (read.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // A writer that comes and goes lets the stuck read end.
        int writer = open(kLanguageFileName, O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (writer >= 0)
            close(writer);
        ADD_FAILURE() << "reading the language waited on the pipe";
    }
    EXPECT_EQ(read.get(), 0x0804);
    ApplyStartupLanguage();
    EXPECT_EQ(GetThreadUILanguage(), 0x0804);
}

// Qt's own dialogs and menus follow the language chosen at start-up: the
// console's record file dialog and an edit's context menu.
TEST_F(AppLanguage, QtsOwnDialogsAndMenusSpeakTheStartupLanguage) {
    struct Case {
        std::vector<uint8_t> file;
        const char* cancel;
        const char* undo; // the start of the edit menu's first entry
    };
    const Case cases[] = {
        {{0x04, 0x08}, "取消", "撤消"},
        {{0x09, 0x04}, "Cancel", "&Undo"}, // and back, once Chinese was loaded
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cancel);
        WriteFileBytes(kLanguageFileName, c.file);
        ApplyStartupLanguage();
        CDQ450DemoDlg dialog;
        ASSERT_TRUE(dialog.CreateModeless());
        dialog.SelectTab(2);

        // The real dialog, as the save button builds it.
        const ui::SaveFileHook recorded = ui::SetSaveFileHook({});
        QString cancel;
        QTimer::singleShot(0, [&cancel] {
            QWidget* modal = QApplication::activeModalWidget();
            auto* files = qobject_cast<QFileDialog*>(modal);
            QDialogButtonBox* buttons = files ? files->findChild<QDialogButtonBox*>() : nullptr;
            if (buttons && buttons->button(QDialogButtonBox::Cancel))
                cancel = buttons->button(QDialogButtonBox::Cancel)->text();
            if (modal)
                modal->close();
        });
        QTest::mouseClick(ui::WidgetOf(dialog.m_pageDebug.Item(IDC_CONSOLE_SAVE)), Qt::LeftButton);
        ui::SetSaveFileHook(recorded);
        EXPECT_EQ(cancel.toStdString(), c.cancel);

        auto* edit =
            qobject_cast<QLineEdit*>(ui::WidgetOf(dialog.m_pageDebug.Item(IDC_CONSOLE_SEND_TEXT)));
        ASSERT_NE(edit, nullptr);
        // The menu is the edit's child: gone before the window goes.
        const std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
        ASSERT_FALSE(menu->actions().isEmpty());
        EXPECT_TRUE(menu->actions().first()->text().startsWith(QString::fromUtf8(c.undo)))
            << menu->actions().first()->text().toStdString();
    }
}

// Runs the main dialog modally and, once it is up, picks a language item as
// the operator does with the keyboard. True when the dialog then ended by
// itself; a dialog still open after what the pick posted has run is ended
// here.
bool PickLanguageInModalRun(CDQ450DemoDlg& dialog, int key) {
    QTimer pick;
    pick.setSingleShot(true);
    QObject::connect(&pick, &QTimer::timeout, [&] {
        if (auto* combo = qobject_cast<QComboBox*>(ui::WidgetOf(dialog.m_cbLanguage)))
            QTest::keyClick(combo, Qt::Key(key));
        ui::PostToUiThread([&] {
            if (QWidget* window = ui::WindowOf(dialog); window && window->isVisible())
                dialog.EndDialog(ui::kIdAbort);
        });
    });
    pick.start(0);
    return dialog.DoModal() != ui::kIdAbort;
}

TEST_F(AppLanguage, ChoosingALanguageWritesTheFileAndEndsAfterTheBox) {
    struct Case {
        std::vector<uint8_t> before;
        int key;
        std::vector<uint8_t> written;
    };
    const Case cases[] = {
        {{0x09, 0x04}, Qt::Key_Up, {0x04, 0x08}},   // English shown, Chinese chosen
        {{0x04, 0x08}, Qt::Key_Down, {0x09, 0x04}}, // Chinese shown, English chosen
    };
    for (const Case& c : cases) {
        WriteFileBytes(kLanguageFileName, c.before);
        m_recorder.messageBoxes.clear();
        CDQ450DemoDlg dialog;
        EXPECT_TRUE(PickLanguageInModalRun(dialog, c.key));
        EXPECT_EQ(ReadFileBytes(kLanguageFileName), c.written);
        ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
        EXPECT_EQ(m_recorder.messageBoxes[0].text, ui::LoadString(129));
        EXPECT_EQ(m_recorder.messageBoxes[0].caption, ui::ApplicationName());
    }
}

TEST_F(AppLanguage, FileThatCannotBeWrittenKeepsTheProgramOpen) {
    std::filesystem::create_directory(kLanguageFileName);
    CDQ450DemoDlg dialog;
    EXPECT_FALSE(PickLanguageInModalRun(dialog, Qt::Key_Up));
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
    EXPECT_EQ(m_recorder.messageBoxes[0].icon, ui::MessageIcon::Error);
    EXPECT_EQ(FolderEntries(), std::set<std::string>{kLanguageFileName});
}

// A change keeps the file's permission bits; a file the user may not write
// is left as it was, and the change fails in a box.
TEST_F(AppLanguage, WritingKeepsTheModeAndLeavesAReadOnlyFileAlone) {
    WriteFileBytes(kLanguageFileName, {0x09, 0x04});
    ASSERT_EQ(chmod(kLanguageFileName, 0640), 0);
    {
        CDQ450DemoDlg dialog;
        EXPECT_TRUE(PickLanguageInModalRun(dialog, Qt::Key_Up));
    }
    EXPECT_EQ(ReadFileBytes(kLanguageFileName), (std::vector<uint8_t>{0x04, 0x08}));
    EXPECT_EQ(std::filesystem::status(kLanguageFileName).permissions(),
              std::filesystem::perms(0640));

    ASSERT_EQ(chmod(kLanguageFileName, 0444), 0);
    // Writable to all, so only the file's own bits can stop the write.
    ASSERT_EQ(chmod(m_folder.c_str(), 0777), 0);
    m_recorder.messageBoxes.clear();
    {
        DeniedNode notWritable(m_folder + "/" + kLanguageFileName);
        CDQ450DemoDlg dialog;
        EXPECT_FALSE(PickLanguageInModalRun(dialog, Qt::Key_Down));
    }
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].caption, "Error");
    EXPECT_EQ(ReadFileBytes(kLanguageFileName), (std::vector<uint8_t>{0x04, 0x08}));
    EXPECT_EQ(std::filesystem::status(kLanguageFileName).permissions(),
              std::filesystem::perms(0444));
    EXPECT_EQ(FolderEntries(), std::set<std::string>{kLanguageFileName});
}

// A link planted in the working folder must not lead the write into another
// file of the operator's.
TEST_F(AppLanguage, WritingReplacesALinkAndLeavesItsTargetAlone) {
    WriteFileBytes("notes", {'k', 'e', 'e', 'p'});
    std::filesystem::create_symlink("notes", kLanguageFileName);
    EXPECT_TRUE(WriteLanguageValue(kLangChineseSimplified));
    EXPECT_EQ(ReadFileBytes("notes"), (std::vector<uint8_t>{'k', 'e', 'e', 'p'}));
    EXPECT_FALSE(std::filesystem::is_symlink(kLanguageFileName));
    EXPECT_EQ(ReadFileBytes(kLanguageFileName), (std::vector<uint8_t>{0x04, 0x08}));
    EXPECT_EQ(FolderEntries(), (std::set<std::string>{kLanguageFileName, "notes"}));
}

} // namespace
