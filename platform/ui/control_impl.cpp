#include "platform/ui/control_impl.h"

#include "platform/ui/dialog_impl.h"
#include "platform/ui/static_text.h"
#include "platform/ui/tab_host.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <algorithm>

namespace ui::detail {

namespace {

// Forwards focus, mouse and paint events of a control's widgets.
class ControlEvents : public QObject {
public:
    // Statics run the paint hook from their own paint; the others here.
    ControlEvents(ControlImpl& control, bool paints) : m_control(control), m_paints(paints) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::FocusIn:
            m_control.owner.dispatch(m_control.id, Notify::SetFocus);
            break;
        case QEvent::FocusOut:
            m_control.owner.dispatch(m_control.id, Notify::KillFocus);
            break;
        case QEvent::Enter:
            m_control.owner.dispatch(m_control.id, Notify::MouseEnter);
            break;
        case QEvent::Leave:
            m_control.owner.dispatch(m_control.id, Notify::MouseLeave);
            break;
        case QEvent::MouseButtonPress:
            // Only the left button clicks a static; the others pass on.
            if ((m_control.kind == res::ControlKind::Static ||
                 m_control.kind == res::ControlKind::HyperLink ||
                 m_control.kind == res::ControlKind::Icon) &&
                static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                m_control.owner.dispatch(m_control.id, Notify::Clicked);
            }
            break;
        case QEvent::Paint:
            if (m_paints) {
                m_control.runPaintHook();
            }
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    ControlImpl& m_control;
    bool m_paints;
};

// What the operator's change did to the text: the characters before and
// after the changed stretch are common to both texts.
struct TextChange {
    int start = 0;         // first changed position
    int insertedCount = 0; // characters the operator put in at start
    int removedCount = 0;  // characters of the old text that went
};

TextChange Compare(const QString& before, const QString& after) {
    const int shorter = static_cast<int>(std::min(before.size(), after.size()));
    int prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix]) {
        ++prefix;
    }
    int suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    return TextChange{prefix, static_cast<int>(after.size()) - prefix - suffix,
                      static_cast<int>(before.size()) - prefix - suffix};
}

QColor ToQColor(Color color) {
    return QColor(color.r, color.g, color.b);
}

Color FromQColor(const QColor& color) {
    return Rgb(color.red(), color.green(), color.blue());
}

} // namespace

ControlImpl::ControlImpl(DialogImpl& owner_, const res::ControlTemplate& tpl, QWidget* widget_)
    : owner(owner_), id(tpl.id), kind(tpl.kind), style(tpl.style), widget(widget_),
      limit(tpl.textLimit) {}

ControlImpl::~ControlImpl() = default;

ControlImpl::CodeChange::~CodeChange() {
    if (--m_control.m_codeDepth == 0 && m_control.isEdit()) {
        m_control.m_lastText = m_control.editText();
    }
}

QLineEdit* ControlImpl::lineEdit() const {
    return dynamic_cast<QLineEdit*>(widget.data());
}
QPlainTextEdit* ControlImpl::textEdit() const {
    return dynamic_cast<QPlainTextEdit*>(widget.data());
}
QComboBox* ControlImpl::combo() const {
    return dynamic_cast<QComboBox*>(widget.data());
}
QListWidget* ControlImpl::list() const {
    return dynamic_cast<QListWidget*>(widget.data());
}
TabHost* ControlImpl::tab() const {
    return dynamic_cast<TabHost*>(widget.data());
}
QAbstractButton* ControlImpl::button() const {
    return dynamic_cast<QAbstractButton*>(widget.data());
}
StaticText* ControlImpl::staticText() const {
    return dynamic_cast<StaticText*>(widget.data());
}

void ControlImpl::notify(Notify what) {
    if (!inCodeChange()) {
        owner.dispatch(id, what);
    }
}

void ControlImpl::connectSignals() {
    QWidget* w = widget.data();
    m_events = std::make_unique<ControlEvents>(*this, staticText() == nullptr);
    QObject* events = m_events.get();
    w->installEventFilter(events);
    if (auto* b = button()) {
        if (kind == res::ControlKind::RadioButton) {
            QObject::connect(b, &QAbstractButton::clicked, events, [this] { onRadioClicked(); });
        } else {
            QObject::connect(b, &QAbstractButton::clicked, events,
                             [this] { notify(Notify::Clicked); });
        }
    } else if (auto* e = lineEdit()) {
        QObject::connect(e, &QLineEdit::textEdited, events, [this] { onOperatorEdit(); });
        m_lastText = e->text();
        setReadOnly(style & res::kReadOnly);
    } else if (auto* t = textEdit()) {
        t->viewport()->installEventFilter(events);
        QObject::connect(t, &QPlainTextEdit::textChanged, events, [this] { onOperatorEdit(); });
        m_lastText = t->toPlainText();
        setReadOnly(style & res::kReadOnly);
    } else if (auto* c = combo()) {
        QObject::connect(c, &QComboBox::activated, events, [this] { notify(Notify::SelChange); });
        // The edit part hands its focus to the combo, whose events arrive above.
        if (QLineEdit* edit = c->lineEdit()) {
            // As in the original control, typing leaves no item selected, so
            // what the operator typed is what the program reads.
            QObject::connect(edit, &QLineEdit::textEdited, events, [this, c, edit] {
                if (c->currentIndex() >= 0) {
                    const QString typed = edit->text();
                    const int cursor = edit->cursorPosition();
                    c->setCurrentIndex(-1);
                    edit->setText(typed);
                    edit->setCursorPosition(cursor);
                }
                notify(Notify::EditChange);
            });
        }
    } else if (auto* l = list()) {
        QObject::connect(l, &QListWidget::currentRowChanged, events,
                         [this] { notify(Notify::SelChange); });
        QObject::connect(l, &QListWidget::itemDoubleClicked, events,
                         [this] { notify(Notify::DoubleClicked); });
    } else if (auto* h = tab()) {
        QObject::connect(h->bar(), &QTabBar::currentChanged, events,
                         [this] { notify(Notify::TabSelChange); });
    } else if (auto* s = staticText()) {
        s->onPaint = [this] { runPaintHook(); };
        // Like the original's statics, clicks go through to what lies below
        // until a handler wants them.
        w->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    }
}

void ControlImpl::detach() {
    m_events.reset();
    widget = nullptr;
}

void ControlImpl::acceptMouse() {
    if (QWidget* w = widget.data(); w && staticText()) {
        w->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    }
}

void ControlImpl::runPaintHook() {
    if (!paintHook || inPaintHook) {
        return;
    }
    inPaintHook = true;
    const auto hook = paintHook;
    hook();
    inPaintHook = false;
}

// ----- edits -----

QString ControlImpl::editText() const {
    if (auto* e = lineEdit()) {
        return e->text();
    }
    if (auto* t = textEdit()) {
        return t->toPlainText();
    }
    return {};
}

void ControlImpl::setEditText(const QString& text) {
    const CodeChange guard(*this);
    if (auto* e = lineEdit()) {
        e->setText(text);
    } else if (auto* t = textEdit()) {
        QString plain = text;
        plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        t->setPlainText(plain);
    }
}

// The operator typed, deleted or pasted. Applies what the original's edit
// control does to typed text (capitals, digits only, the limit) and raises
// the change notification when anything was accepted.
void ControlImpl::onOperatorEdit() {
    if (inCodeChange()) {
        return;
    }
    const QString before = m_lastText;
    const QString now = editText();
    const TextChange change = Compare(before, now);
    QString inserted = now.mid(change.start, change.insertedCount);
    QString accepted = inserted;
    if (style & res::kUpperCase) {
        accepted = accepted.toUpper();
    }
    if (style & res::kNumber) {
        accepted.removeIf([](QChar c) { return !c.isDigit(); });
    }
    if (limit > 0) {
        const int kept = static_cast<int>(before.size()) - change.removedCount;
        accepted.truncate(std::max(0, limit - kept));
    }
    if (accepted != inserted) {
        const CodeChange guard(*this);
        if (auto* e = lineEdit()) {
            e->setText(now.left(change.start) + accepted +
                       now.mid(change.start + change.insertedCount));
            e->setCursorPosition(change.start + static_cast<int>(accepted.size()));
        } else if (auto* t = textEdit()) {
            QTextCursor cursor(t->document());
            cursor.setPosition(change.start);
            cursor.setPosition(change.start + change.insertedCount, QTextCursor::KeepAnchor);
            cursor.insertText(accepted);
            t->setTextCursor(cursor);
        }
    }
    const QString result = editText();
    if (result == before) {
        return;
    }
    m_lastText = result;
    owner.dispatch(id, Notify::EditChange);
}

void ControlImpl::replaceSelection(const QString& text) {
    {
        const CodeChange guard(*this);
        if (auto* e = lineEdit()) {
            e->insert(text);
        } else if (auto* t = textEdit()) {
            t->insertPlainText(text);
        } else if (auto* c = combo(); c && c->lineEdit()) {
            c->lineEdit()->insert(text);
        } else {
            return;
        }
    }
    owner.dispatch(id, Notify::EditChange);
}

void ControlImpl::selection(int& start, int& end) const {
    start = end = 0;
    QLineEdit* e = lineEdit();
    if (!e) {
        if (auto* c = combo()) {
            e = c->lineEdit();
        }
    }
    if (e) {
        if (e->hasSelectedText()) {
            start = e->selectionStart();
            end = e->selectionEnd();
        } else {
            start = end = e->cursorPosition();
        }
    } else if (auto* t = textEdit()) {
        const QTextCursor cursor = t->textCursor();
        start = cursor.selectionStart();
        end = cursor.selectionEnd();
    }
}

void ControlImpl::setSelection(int start, int end) {
    const auto clamp = [](int value, int length) {
        return value < 0 ? length : std::min(value, length);
    };
    QLineEdit* e = lineEdit();
    if (!e) {
        if (auto* c = combo()) {
            e = c->lineEdit();
        }
    }
    if (e) {
        const int length = static_cast<int>(e->text().size());
        start = clamp(start, length);
        end = clamp(end, length);
        if (start == end) {
            e->deselect();
            e->setCursorPosition(start);
        } else {
            e->setSelection(start, end - start);
        }
    } else if (auto* t = textEdit()) {
        const int length = t->document()->characterCount() - 1;
        QTextCursor cursor = t->textCursor();
        cursor.setPosition(clamp(start, length));
        cursor.setPosition(clamp(end, length), QTextCursor::KeepAnchor);
        t->setTextCursor(cursor);
    }
}

void ControlImpl::setReadOnly(bool readOnly) {
    QWidget* w = widget.data();
    if (auto* e = lineEdit()) {
        e->setReadOnly(readOnly);
    } else if (auto* t = textEdit()) {
        t->setReadOnly(readOnly);
    } else {
        return;
    }
    // A read-only edit shows the dialog's background, as the original's does.
    const QPalette standard = QApplication::palette(w);
    QPalette palette = w->palette();
    palette.setBrush(QPalette::Base, standard.brush(readOnly ? QPalette::Window : QPalette::Base));
    w->setPalette(palette);
}

void ControlImpl::onRadioClicked() {
    auto* self = button();
    if (!self) {
        return;
    }
    // An automatic radio button stays checked when clicked again and clears
    // the others of its group.
    {
        const CodeChange guard(*this);
        self->setChecked(true);
        for (ControlImpl* other : radioGroup) {
            if (other != this && other->button()) {
                other->button()->setChecked(false);
            }
        }
    }
    owner.dispatch(id, Notify::Clicked);
}

// ----- appearance -----

QPalette::ColorRole ControlImpl::textRole() const {
    if (isEdit() || combo() || list()) {
        return QPalette::Text;
    }
    return button() ? QPalette::ButtonText : QPalette::WindowText;
}

void ControlImpl::setTextColor(Color color) {
    QWidget* w = widget.data();
    if (!w) {
        return;
    }
    if (auto* s = staticText()) {
        s->setTextColor(ToQColor(color));
        if (!inPaintHook) {
            s->repaint();
        }
        return;
    }
    QPalette palette = w->palette();
    const QPalette::ColorRole role = textRole();
    if (palette.color(QPalette::Active, role) == ToQColor(color)) {
        return;
    }
    palette.setColor(QPalette::Active, role, ToQColor(color));
    palette.setColor(QPalette::Inactive, role, ToQColor(color));
    w->setPalette(palette);
    if (!inPaintHook) {
        repaintNow();
    }
}

Color ControlImpl::textColor() const {
    QWidget* w = widget.data();
    if (!w) {
        return Color{};
    }
    if (auto* s = staticText()) {
        return FromQColor(s->textColor());
    }
    const QPalette::ColorRole role = textRole();
    return FromQColor(w->palette().color(QPalette::Active, role));
}

void ControlImpl::applyFont() {
    QWidget* w = widget.data();
    if (!w) {
        return;
    }
    QFont font = owner.font;
    if (fontHeight < 0) {
        font.setPixelSize(-fontHeight);
    } else if (fontHeight > 0) {
        // A positive height is the cell height, leading included.
        const QFontMetrics metrics(font);
        const int em = QFontInfo(font).pixelSize();
        font.setPixelSize(std::max(1, fontHeight * em / std::max(1, metrics.height())));
    }
    if (fontWeight > 0) {
        font.setWeight(static_cast<QFont::Weight>(std::clamp(fontWeight, 1, 1000)));
    }
    font.setUnderline(underline);
    w->setFont(font);
    repaintNow();
}

void ControlImpl::repaintNow() {
    QWidget* w = widget.data();
    if (!w) {
        return;
    }
    w->repaint();
    if (auto* t = textEdit()) {
        t->viewport()->repaint();
    }
}

} // namespace ui::detail
