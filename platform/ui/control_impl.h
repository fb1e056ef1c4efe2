#pragma once
// The state behind a Control handle: the widget, the template's kind and
// style, and the rules the original's controls follow (user-only change
// notifications, typing limits, upper-case edits). Internal.

#include "platform/ui/controls.h"
#include "platform/ui/ui_types.h"
#include "res/resource.h"

#include <QPalette>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace ui::detail {

class DialogImpl;
class StaticText;
class TabHost;

class ControlImpl {
public:
    ControlImpl(DialogImpl& owner, const res::ControlTemplate& tpl, QWidget* widget);
    ~ControlImpl();
    ControlImpl(const ControlImpl&) = delete;
    ControlImpl& operator=(const ControlImpl&) = delete;

    DialogImpl& owner;
    const int id;
    const res::ControlKind kind;
    const uint32_t style;
    QPointer<QWidget> widget;

    // Radio buttons of one group, this one included.
    std::vector<ControlImpl*> radioGroup;

    QLineEdit* lineEdit() const;
    QPlainTextEdit* textEdit() const;
    QComboBox* combo() const;
    QListWidget* list() const;
    TabHost* tab() const;
    QAbstractButton* button() const;
    StaticText* staticText() const;
    bool isEdit() const { return kind == res::ControlKind::Edit; }

    // Wires the widget's signals to the owner's notifications.
    void connectSignals();
    // Cuts the control off from its widget, which is about to go; every
    // operation then does nothing.
    void detach();
    // Lets a static take the mouse once a handler needs it.
    void acceptMouse();

    // Edits.
    QString editText() const; // as shown, line breaks '\n'
    void setEditText(const QString& text);
    void onOperatorEdit();
    void replaceSelection(const QString& text);
    void selection(int& start, int& end) const;
    void setSelection(int start, int end);
    void setReadOnly(bool readOnly);
    int limit = 0;

    // Appearance.
    void setTextColor(Color color);
    Color textColor() const;
    QPalette::ColorRole textRole() const; // the palette colour of the text
    void applyFont();
    void repaintNow();
    int fontHeight = 0;
    int fontWeight = 0; // 0: the dialog font's own
    bool underline = false;
    std::function<void()> paintHook;
    void runPaintHook();
    bool inPaintHook = false;

    // Changes made by code run inside this guard: they raise nothing, and the
    // text they leave is the base for judging the operator's next change.
    class CodeChange {
    public:
        explicit CodeChange(ControlImpl& control) : m_control(control) { ++m_control.m_codeDepth; }
        ~CodeChange();
        CodeChange(const CodeChange&) = delete;
        CodeChange& operator=(const CodeChange&) = delete;

    private:
        ControlImpl& m_control;
    };
    bool inCodeChange() const { return m_codeDepth > 0; }

private:
    void notify(Notify what);
    void onRadioClicked();
    // Event filter and context of every connection to this control: going
    // with it, it cuts the widget off from a control that no longer exists.
    std::unique_ptr<QObject> m_events;
    int m_codeDepth = 0;
    QString m_lastText; // edit text after the last accepted change
};

} // namespace ui::detail
