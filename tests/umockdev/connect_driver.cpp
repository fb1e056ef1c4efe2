// A program that opens the main dialog, presses "connect device" once and
// writes every message box it raised to standard output: caption, a line
// break, the text. Tests run it as another user, where the device a test
// prepared has to be closed to it.

#include "app/main_dialog.h"
#include "platform/ui/recorder.h"
#include "platform/ui/strings.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::SetUiLanguage(res::Language::English);
    ui::UiRecorder recorder;
    CDQ450DemoDlg dialog;
    if (!dialog.CreateModeless())
        return 1;
    dialog.OnConnect();
    dialog.DestroyWindow();
    for (const ui::MessageBoxRequest& box : recorder.messageBoxes)
        std::printf("%s\n%s", box.caption.c_str(), box.text.c_str());
    return 0;
}
