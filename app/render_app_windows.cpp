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

// The widest name the port search lists, as if the operator had picked it.
constexpr const char* kWidestPortName = "com30";

void SaveWindow(const ui::Dialog& dialog, const QString& path) {
    QApplication::processEvents();
    if (QWidget* window = ui::WindowOf(dialog))
        window->grab().save(path, "PNG");
}

void RenderTabs(CDQ450DemoDlg& dialog, const QDir& folder, const QString& prefix,
                const WindowPictured& pictured) {
    for (int tab = 0; tab < kTabCount; ++tab) {
        dialog.SelectTab(tab);
        SaveWindow(dialog, folder.filePath(QString("%1_tab%2.png").arg(prefix).arg(tab)));
        if (pictured) {
            pictured(dialog);
            pictured(*dialog.PageOfTab(tab));
        }
    }
}

void SwitchToCom(CDQ450DemoDlg& dialog) {
    dialog.Item(IDC_RADIO_USB).SetCheck(0);
    dialog.Item(IDC_RADIO_COM).SetCheck(1);
    dialog.OnRadioCom();
    dialog.Item(IDC_PORT).SetText(kWidestPortName);
}

void RenderLanguage(const QDir& folder, uint16_t langId, const QString& suffix,
                    const WindowPictured& pictured) {
    SetThreadUILanguage(langId);
    CDQ450DemoDlg dialog;
    dialog.CreateModeless();
    RenderTabs(dialog, folder, QString("main_%1").arg(suffix), pictured);
    SwitchToCom(dialog);
    RenderTabs(dialog, folder, QString("main_%1_com").arg(suffix), pictured);
    CAboutDlg about;
    about.CreateModeless(&dialog);
    SaveWindow(about, folder.filePath(QString("about_%1.png").arg(suffix)));
    if (pictured)
        pictured(about);
    about.EndDialog(ui::kIdOk);
    about.DestroyWindow();
    dialog.EndDialog(ui::kIdCancel);
    dialog.DestroyWindow();
}

} // namespace

void RenderAppWindows(const QString& folder, const WindowPictured& pictured) {
    // Nothing the windows do may open a box or leave the process.
    ui::UiRecorder recorder;
    InstallProgramIcon();
    const uint16_t previous = GetThreadUILanguage();
    const res::Language previousResources = ui::UiLanguage();
    QDir dir(folder);
    dir.mkpath(".");
    RenderLanguage(dir, 0x0409, "en", pictured);
    RenderLanguage(dir, 0x0804, "zh", pictured);
    SetThreadUILanguage(previous);
    ui::SetUiLanguage(previousResources);
}
