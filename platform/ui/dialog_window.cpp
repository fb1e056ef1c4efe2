#include "platform/ui/dialog_window.h"

#include "platform/ui/dialog_impl.h"

#include <QCloseEvent>
#include <QContextMenuEvent>

namespace ui::detail {

DialogWindow::DialogWindow(DialogImpl& dialog, QWidget* parent)
    : QDialog(parent), m_dialog(&dialog) {}

void DialogWindow::reject() {
    if (m_dialog) {
        m_dialog->cancelRequested();
    }
}

void DialogWindow::closeEvent(QCloseEvent* event) {
    if (!m_dialog || m_dialog->ending) {
        event->accept();
        return;
    }
    event->ignore();
    m_dialog->closeRequested();
}

void DialogWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (!m_dialog || m_dialog->contextMenu.empty()) {
        event->ignore();
        return;
    }
    m_dialog->showContextMenu(event->globalPos());
}

PageWindow::PageWindow(DialogImpl& dialog, QWidget* parent) : QWidget(parent), m_dialog(&dialog) {}

void PageWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (!m_dialog || m_dialog->contextMenu.empty()) {
        event->ignore(); // the dialog holding the page may have a menu
        return;
    }
    m_dialog->showContextMenu(event->globalPos());
}

} // namespace ui::detail
