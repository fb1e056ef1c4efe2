#include "app/render_app_windows.h"

#include "app/main_dialog.h"
#include "app/pages/about_dialog.h"
#include "app/program_icon.h"
#include "app/ui_language.h"
#include "platform/ui/qt_access.h"
#include "platform/ui/recorder.h"
#include "platform/ui/strings.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

namespace {

void SaveWindow(const ui::Dialog& dialog, const QString& path) {
    QApplication::processEvents();
    if (QWidget* window = ui::WindowOf(dialog))
        window->grab().save(path, "PNG");
}

void RenderLanguage(const QDir& folder, uint16_t langId, const QString& suffix) {
    SetThreadUILanguage(langId);
    CDQ450DemoDlg dialog;
    dialog.CreateModeless();
    for (int tab = 0; tab < kTabCount; ++tab) {
        dialog.SelectTab(tab);
        SaveWindow(dialog, folder.filePath(QString("main_%1_tab%2.png").arg(suffix).arg(tab)));
    }
    CAboutDlg about;
    about.CreateModeless(&dialog);
    SaveWindow(about, folder.filePath(QString("about_%1.png").arg(suffix)));
    about.EndDialog(ui::kIdOk);
    about.DestroyWindow();
    dialog.EndDialog(ui::kIdCancel);
    dialog.DestroyWindow();
}

} // namespace

void RenderAppWindows(const QString& folder) {
    // Nothing the windows do may open a box or leave the process.
    ui::UiRecorder recorder;
    InstallProgramIcon();
    const uint16_t previous = GetThreadUILanguage();
    const res::Language previousResources = ui::UiLanguage();
    QDir dir(folder);
    dir.mkpath(".");
    RenderLanguage(dir, 0x0409, "en");
    RenderLanguage(dir, 0x0804, "zh");
    SetThreadUILanguage(previous);
    ui::SetUiLanguage(previousResources);
}
