#include "platform/ui/file_dialog.h"

#include "platform/ui/hook_slot.h"
#include "platform/ui/qt_access.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

namespace ui {

namespace {

detail::HookSlot<SaveFileHook> g_hook;

// "text File(*.txt)|*.txt||" becomes the name filters Qt takes.
QStringList NameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) {
            break;
        }
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        QString name = parts[i];
        if (!name.contains(QLatin1Char('(') + patterns + QLatin1Char(')'))) {
            name += QStringLiteral(" (") + patterns + QLatin1Char(')');
        }
        filters << name;
    }
    return filters;
}

std::optional<std::string> ShowRealDialog(const SaveFileRequest& request) {
    QWidget* parent = request.owner ? WindowOf(*request.owner) : QApplication::activeWindow();
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(NameFilters(request.filter));
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    dialog.selectFile(QString::fromStdString(request.proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first().toStdString();
}

} // namespace

std::optional<std::string> SaveFileDialog(std::string_view proposedName, std::string_view filter,
                                          std::string_view defaultExtension, const Dialog* owner) {
    const SaveFileRequest request{std::string(proposedName), std::string(filter),
                                  std::string(defaultExtension), owner};
    const SaveFileHook hook = g_hook.get();
    return hook ? hook(request) : ShowRealDialog(request);
}

SaveFileHook SetSaveFileHook(SaveFileHook hook) {
    return g_hook.exchange(std::move(hook));
}

} // namespace ui
