#pragma once
// The Qt windows of a dialog: a QDialog for top-level dialogs and a plain
// widget for child pages. They hand the close box, Escape and right-clicks
// to the dialog's own handling. Internal.

#include <QDialog>
#include <QWidget>

namespace ui::detail {

class DialogImpl;

class DialogWindow : public QDialog {
public:
    DialogWindow(DialogImpl& dialog, QWidget* parent);
    void reject() override;
    // The dialog is going; the window may outlive it by a moment.
    void detach() { m_dialog = nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    DialogImpl* m_dialog;
};

class PageWindow : public QWidget {
public:
    PageWindow(DialogImpl& dialog, QWidget* parent);
    void detach() { m_dialog = nullptr; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    DialogImpl* m_dialog;
};

} // namespace ui::detail
