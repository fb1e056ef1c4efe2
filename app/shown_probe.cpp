#include "app/shown_probe.h"

#include "app/app.h"
#include "platform/ui/ui_thread.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

class FirstPaintFilter : public QObject {
public:
    FirstPaintFilter(ui::Dialog& dialog, bool quit) : m_dialog(dialog), m_quit(quit) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (m_done || event->type() != QEvent::Paint || !watched->isWidgetType() ||
            !static_cast<QWidget*>(watched)->isWindow())
            return false;
        m_done = true;
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
        if (m_quit)
            ui::PostToUiThread([&dialog = m_dialog] { dialog.EndDialog(ui::kIdCancel); });
        return false;
    }

private:
    ui::Dialog& m_dialog;
    bool m_quit;
    bool m_done = false;
};

} // namespace

ShownProbe::ShownProbe(ui::Dialog& dialog) {
    const char* value = std::getenv(kOnShownVariable);
    if (!value)
        return;
    std::string_view mode = value;
    if (mode != "print" && mode != "quit")
        return;
    m_filter = std::make_unique<FirstPaintFilter>(dialog, mode == "quit");
    qApp->installEventFilter(m_filter.get());
}

ShownProbe::~ShownProbe() = default;
