#include "app/app.h"

#include "app/main_dialog.h"
#include "app/program_icon.h"
#include "app/shown_probe.h"
#include "app/ui_language.h"
#include "platform/single_instance.h"
#include "platform/ui/message_box.h"

#include <QApplication>

namespace {

platform::NamedLock g_hSingleInstanceMutex;

} // namespace

int CDQ450DemoApp::Run(int argc, char** argv) {
    InitInstance(argc, argv);
    return ExitInstance();
}

bool CDQ450DemoApp::InitInstance(int& argc, char** argv) {
    // A second instance ends quietly: no window, no message. Any other
    // outcome, a lock that cannot be made included, lets start-up go on.
    g_hSingleInstanceMutex = platform::CreateNamedLock(kSingleInstanceName);
    if (g_hSingleInstanceMutex.alreadyExists)
        return false;

    QApplication application(argc, argv);
    // Recorded as the original records its registry key; nothing is stored.
    QCoreApplication::setOrganizationName(kRegistryKey);
    ui::SetApplicationName(kApplicationName);
    InstallProgramIcon();

    ApplyStartupLanguage();

    CDQ450DemoDlg dialog;
    ShownProbe probe(dialog);
    dialog.DoModal();
    return false;
}

int CDQ450DemoApp::ExitInstance() {
    platform::CloseNamedLock(g_hSingleInstanceMutex);
    return 0;
}
