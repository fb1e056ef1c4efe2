#include "fit_check.h"

#include "platform/ui/qt_access.h"
#include "platform/ui/static_text.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <algorithm>
#include <climits>

namespace {

// Qt's line edit keeps this much room between its frame and the text on
// each side.
constexpr int kLineEditTextMargin = 2;

enum class Dimension { Width, Height };

struct Room {
    int needed;
    int available;
    Dimension dimension = Dimension::Width;
    bool fits() const { return needed <= available; }
};

int TextWidth(const QFontMetrics& metrics, const QString& text) {
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    return widest;
}

// A button's caption as drawn: "&&" is an ampersand, a single '&' marks the
// mnemonic and takes no room.
QString ShownCaption(QString text) {
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    return text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

Room PushButtonRoom(const QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    if (button.isDefault()) {
        option.features |= QStyleOptionButton::DefaultButton;
    }
    if (button.autoDefault()) {
        option.features |= QStyleOptionButton::AutoDefaultButton;
    }
    const QRect contents =
        button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
    return {TextWidth(button.fontMetrics(), ShownCaption(button.text())), contents.width()};
}

Room IndicatorButtonRoom(const QAbstractButton& button, QStyle::SubElement contentsElement) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    const QRect contents = button.style()->subElementRect(contentsElement, &option, &button);
    return {TextWidth(button.fontMetrics(), ShownCaption(button.text())), contents.width()};
}

Room GroupCaptionRoom(const ui::detail::GroupFrame& group) {
    return {TextWidth(QFontMetrics(group.font()), group.text()), group.CaptionRoom()};
}

// One line in a box no taller than that is measured in width; in a taller box
// the wrapped text must not run below it.
Room StaticRoom(const ui::detail::StaticText& label) {
    const QFontMetrics metrics(label.font());
    const QRect area = label.contentsRect();
    if (area.height() < 2 * metrics.height()) {
        return {TextWidth(metrics, label.text()), area.width()};
    }
    const QRect wrapped = metrics.boundingRect(QRect(0, 0, area.width(), INT_MAX / 2),
                                               Qt::AlignLeft | Qt::TextWordWrap, label.text());
    if (wrapped.width() > area.width()) {
        return {wrapped.width(), area.width()};
    }
    return {wrapped.height(), area.height(), Dimension::Height};
}

// Where a line edit draws its text: inside the frame and the text margins,
// and Qt's own margin at each side.
QRect LineEditTextArea(const QLineEdit& edit) {
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.lineWidth = edit.hasFrame()
                           ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit)
                           : 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents =
        edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
    return contents.marginsRemoved(edit.textMargins())
        .adjusted(kLineEditTextMargin, 0, -kLineEditTextMargin, 0);
}

// The closed box's text field: a list box draws its item one pixel in from
// each side of the field, an editable box's line edit keeps its own margin.
QRect ComboTextArea(const QComboBox& combo) {
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = combo.isEditable();
    option.frame = combo.hasFrame();
    const QRect field = combo.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, &combo);
    const int inset = combo.isEditable() ? kLineEditTextMargin : 1;
    return field.adjusted(inset, 0, -inset, 0);
}

Room LineHeightRoom(const QFontMetrics& metrics, const QRect& area) {
    return {metrics.height(), area.height(), Dimension::Height};
}

QString Describe(const Room& room) {
    const char* dimension = room.dimension == Dimension::Width ? "wide" : "high";
    return QStringLiteral("needs %1 px %3, has %2 px")
        .arg(room.needed)
        .arg(room.available)
        .arg(QLatin1String(dimension));
}

// The ids of the dialog's named controls by widget; unnamed ones are -1.
QHash<const QWidget*, int> NamedControls(const ui::Dialog& dialog) {
    QHash<const QWidget*, int> ids;
    const res::DialogTemplate* tpl = res::FindDialogTemplate(dialog.TemplateId());
    if (!tpl) {
        return ids;
    }
    for (const res::ControlTemplate& control : tpl->controls) {
        if (const QWidget* widget = ui::WidgetOf(dialog.Item(control.id))) {
            ids.insert(widget, control.id);
        }
    }
    return ids;
}

} // namespace

void FitCheck::Check(const ui::Dialog& dialog) {
    const QWidget* window = ui::WindowOf(dialog);
    if (!window) {
        return;
    }
    const QHash<const QWidget*, int> ids = NamedControls(dialog);
    const QString where =
        QStringLiteral("dialog %1, %2")
            .arg(dialog.TemplateId())
            .arg(dialog.Language() == res::Language::Chinese ? QLatin1String("zh")
                                                             : QLatin1String("en"));
    auto report = [&](const QWidget* widget, const QString& what, const Room& room) {
        if (room.fits()) {
            return;
        }
        const QString line = QStringLiteral("%1, control %2, %3: %4")
                                 .arg(where)
                                 .arg(ids.value(widget, -1))
                                 .arg(what, Describe(room));
        if (!m_seen.contains(line)) {
            m_seen.insert(line);
            m_lines.append(line);
        }
    };
    auto quoted = [](const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); };

    for (const QObject* child : window->children()) {
        const auto* widget = qobject_cast<const QWidget*>(child);
        // Hidden controls too: the program shows them when it needs them.
        if (!widget || widget->isWindow()) {
            continue;
        }
        const QRect frame = widget->geometry();
        report(widget, QStringLiteral("frame"), {frame.width(), window->width() - frame.left()});
        report(widget, QStringLiteral("frame"),
               {frame.height(), window->height() - frame.top(), Dimension::Height});
        if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
            report(widget, quoted(button->text()), PushButtonRoom(*button));
        } else if (const auto* check = qobject_cast<const QCheckBox*>(widget)) {
            report(widget, quoted(check->text()),
                   IndicatorButtonRoom(*check, QStyle::SE_CheckBoxContents));
        } else if (const auto* radio = qobject_cast<const QRadioButton*>(widget)) {
            report(widget, quoted(radio->text()),
                   IndicatorButtonRoom(*radio, QStyle::SE_RadioButtonContents));
        } else if (const auto* group = dynamic_cast<const ui::detail::GroupFrame*>(widget)) {
            report(widget, quoted(group->text()), GroupCaptionRoom(*group));
        } else if (const auto* label = dynamic_cast<const ui::detail::StaticText*>(widget)) {
            report(widget, quoted(label->text()), StaticRoom(*label));
        } else if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
            const QRect area = ComboTextArea(*combo);
            const QFontMetrics metrics(combo->font());
            report(widget, QStringLiteral("text field"), LineHeightRoom(metrics, area));
            for (int i = 0; i < combo->count(); ++i) {
                report(widget, QStringLiteral("item ") + quoted(combo->itemText(i)),
                       {TextWidth(metrics, combo->itemText(i)), area.width()});
            }
            if (combo->isEditable()) {
                report(widget, quoted(combo->currentText()),
                       {TextWidth(metrics, combo->currentText()), area.width()});
            }
        } else if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
            const QRect area = LineEditTextArea(*edit);
            const QFontMetrics metrics(edit->font());
            report(widget, QStringLiteral("text field"), LineHeightRoom(metrics, area));
            report(widget, quoted(edit->text()), {TextWidth(metrics, edit->text()), area.width()});
        }
    }
}
