// main() of the application test binary: the widgets need a QApplication,
// on the offscreen platform so no display is needed.

#include "platform/ui/strings.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    ui::SetUiLanguage(res::Language::English);
    return RUN_ALL_TESTS();
}
