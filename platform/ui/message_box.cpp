#include "platform/ui/message_box.h"

#include "platform/ui/hook_slot.h"
#include "platform/ui/qt_access.h"

#include <QApplication>
#include <QMessageBox>

namespace ui {

namespace {

detail::HookSlot<MessageBoxHook> g_hook;
detail::HookSlot<std::string> g_applicationName;

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

int FromQtButton(int button) {
    switch (button) {
    case QMessageBox::Ok:
        return kIdOk;
    case QMessageBox::Yes:
        return kIdYes;
    case QMessageBox::No:
        return kIdNo;
    case QMessageBox::Retry:
        return kIdRetry;
    default:
        return kIdCancel;
    }
}

int ShowRealBox(const MessageBoxRequest& request) {
    QWidget* parent = request.owner ? WindowOf(*request.owner) : QApplication::activeWindow();
    QString text = QString::fromStdString(request.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(ToQtIcon(request.icon), QString::fromStdString(request.caption), text,
                    ToQtButtons(request.buttons), parent);
    return FromQtButton(box.exec());
}

} // namespace

int MessageBox(std::string_view text, std::string_view caption, MessageIcon icon,
               MessageButtons buttons, const Dialog* owner) {
    MessageBoxRequest request{std::string(text), std::string(caption), icon, buttons, owner};
    if (request.caption.empty()) {
        request.caption = ApplicationName();
    }
    const MessageBoxHook hook = g_hook.get();
    return hook ? hook(request) : ShowRealBox(request);
}

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook) {
    return g_hook.exchange(std::move(hook));
}

void SetApplicationName(std::string name) {
    g_applicationName.exchange(std::move(name));
}

std::string ApplicationName() {
    return g_applicationName.get();
}

} // namespace ui
