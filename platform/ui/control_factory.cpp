#include "platform/ui/control_factory.h"

#include "platform/ui/static_text.h"
#include "platform/ui/tab_host.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

namespace ui::detail {

namespace {

Qt::Alignment HorizontalAlignment(uint32_t style) {
    if (style & res::kCentre) {
        return Qt::AlignHCenter;
    }
    if (style & res::kRight) {
        return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

QWidget* CreateStatic(const res::ControlTemplate& tpl, const QString& text, QWidget* parent) {
    auto* label = new StaticText(parent);
    label->setText(text);
    label->setAlignment(HorizontalAlignment(tpl.style) | Qt::AlignTop);
    label->setWordWrap((tpl.style & res::kNoWrap) == 0);
    if (tpl.style & res::kSunken) {
        // The style's panel outlines all four sides; a plain sunken panel's
        // light bottom and right lines vanish against the window colour.
        label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    } else if (tpl.style & res::kBorder) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
    }
    if (tpl.kind == res::ControlKind::Icon) {
        QIcon icon = QApplication::windowIcon();
        if (icon.isNull()) {
            icon = parent->style()->standardIcon(QStyle::SP_MessageBoxInformation);
        }
        label->setPixmap(icon.pixmap(32, 32));
    }
    return label;
}

// The text field of an editable combo box: once the operator leaves it, a
// text longer than the box shows its start, not the tail the caret scrolled
// to.
class StartShowingLineEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusOutEvent(QFocusEvent* event) override {
        QLineEdit::focusOutEvent(event);
        if (event->reason() != Qt::PopupFocusReason) {
            setCursorPosition(0);
        }
    }
};

QWidget* CreateEdit(const res::ControlTemplate& tpl, QWidget* parent) {
    if (tpl.style & res::kMultiline) {
        auto* edit = new QPlainTextEdit(parent);
        edit->setVerticalScrollBarPolicy((tpl.style & res::kVScroll) ? Qt::ScrollBarAlwaysOn
                                                                     : Qt::ScrollBarAlwaysOff);
        edit->setHorizontalScrollBarPolicy((tpl.style & res::kHScroll) ? Qt::ScrollBarAlwaysOn
                                                                       : Qt::ScrollBarAlwaysOff);
        const bool wraps = (tpl.style & (res::kHScroll | res::kAutoHScroll)) == 0;
        edit->setLineWrapMode(wraps ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        edit->setTabChangesFocus(true);
        return edit;
    }
    auto* edit = new QLineEdit(parent);
    edit->setAlignment(HorizontalAlignment(tpl.style) | Qt::AlignVCenter);
    return edit;
}

} // namespace

QWidget* CreateControlWidget(const res::ControlTemplate& tpl, res::Language language,
                             QWidget* parent, const QRect& rect, int comboHeight) {
    const char* raw = tpl.Text(language);
    const QString text = QString::fromUtf8(raw ? raw : "");
    QWidget* widget = nullptr;
    QRect geometry = rect;
    switch (tpl.kind) {
    case res::ControlKind::PushButton:
    case res::ControlKind::DefPushButton: {
        auto* button = new QPushButton(text, parent);
        // Enter presses the template's default button only, not whichever
        // button Qt would make the default of the window.
        button->setAutoDefault(false);
        button->setDefault(tpl.kind == res::ControlKind::DefPushButton);
        widget = button;
        break;
    }
    case res::ControlKind::CheckBox:
        widget = new QCheckBox(text, parent);
        break;
    case res::ControlKind::RadioButton: {
        auto* radio = new QRadioButton(text, parent);
        radio->setAutoExclusive(false); // groups follow the template, see the dialog
        widget = radio;
        break;
    }
    case res::ControlKind::GroupBox: {
        auto* group = new GroupFrame(parent);
        group->setText(text);
        widget = group;
        break;
    }
    case res::ControlKind::Static:
    case res::ControlKind::Icon:
    case res::ControlKind::HyperLink:
        widget = CreateStatic(tpl, text, parent);
        break;
    case res::ControlKind::Edit:
        widget = CreateEdit(tpl, parent);
        break;
    case res::ControlKind::ComboDropDown:
    case res::ControlKind::ComboDropList: {
        auto* combo = new QComboBox(parent);
        if (tpl.kind == res::ControlKind::ComboDropDown) {
            combo->setEditable(true);
            combo->setLineEdit(new StartShowingLineEdit(combo));
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->setCompleter(nullptr);
        }
        geometry.setHeight(comboHeight);
        widget = combo;
        break;
    }
    case res::ControlKind::ListBox: {
        auto* list = new QListWidget(parent);
        list->setVerticalScrollBarPolicy((tpl.style & res::kVScroll) ? Qt::ScrollBarAsNeeded
                                                                     : Qt::ScrollBarAlwaysOff);
        widget = list;
        break;
    }
    case res::ControlKind::Tab:
        widget = new TabHost(parent);
        break;
    }
    widget->setGeometry(geometry);
    if (tpl.style & res::kDisabled) {
        widget->setEnabled(false);
    }
    // Explicit, so the state reads the same before the window is first shown.
    widget->setVisible((tpl.style & res::kHidden) == 0);
    return widget;
}

} // namespace ui::detail
