#include "fit_check.h"

#include "platform/ui/qt_access.h"
#include "platform/ui/static_text.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegion>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <algorithm>
#include <array>
#include <climits>
#include <functional>
#include <vector>

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

// A text on one line is measured in width; wrapped in a box taller than two
// lines, it must not run below the box.
Room StaticRoom(const ui::detail::StaticText& label) {
    const QFontMetrics metrics(label.font());
    const QRect area = label.contentsRect();
    if (!label.wraps() || area.height() < 2 * metrics.height()) {
        return {TextWidth(metrics, label.text()), area.width()};
    }
    const QRect wrapped = metrics.boundingRect(QRect(0, 0, area.width(), INT_MAX / 2),
                                               Qt::AlignLeft | Qt::TextWordWrap, label.text());
    if (wrapped.width() > area.width()) {
        return {wrapped.width(), area.width()};
    }
    return {wrapped.height(), area.height(), Dimension::Height};
}

// A pixel at least this opaque is ink; fainter ones are the smoothing at a
// glyph's edge.
constexpr int kInkAlpha = 128;

// The pixels that a static's text covers, found by drawing it as the static
// does but unclipped, in its dialog's coordinates; empty for no text.
QRect StaticInk(const ui::detail::StaticText& label) {
    if (label.text().isEmpty()) {
        return {};
    }
    const QFontMetrics metrics(label.font());
    const QPoint margin(metrics.horizontalAdvance(label.text()) + metrics.height(),
                        2 * metrics.height());
    QImage image(label.size() + QSize(2 * margin.x(), 2 * margin.y()),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.translate(margin);
    painter.setPen(Qt::black);
    label.drawText(painter);
    painter.end();
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) >= kInkAlpha) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink.translated(label.pos() - margin);
}

// How far the glyphs reach past the box on each side; none is an empty text.
QStringList GlyphsCut(const QRect& ink, const QRect& box) {
    QStringList cut;
    const auto side = [&cut](int past, const char* where) {
        if (past > 0) {
            cut << QStringLiteral("glyphs %1 px past the box's %2").arg(past).arg(where);
        }
    };
    side(box.top() - ink.top(), "top");
    side(ink.bottom() - box.bottom(), "bottom");
    side(box.left() - ink.left(), "left");
    side(ink.right() - box.right(), "right");
    return cut;
}

// Glyphs that touch a line, let alone cross it, look cut by it.
constexpr int kLineClearance = 1;

constexpr const char* kTopLine = "top";

struct FrameLine {
    const char* side;
    QRect pixels; // the dark line and its light twin, in the dialog's coordinates
};

std::array<FrameLine, 4> FrameLines(const ui::detail::GroupFrame& group) {
    // A rectangle drawn with a one-pixel pen covers width + 1 columns.
    const QRect f = group.Frame().translated(group.pos());
    return {{{"left", QRect(f.left(), f.top(), 2, f.height() + 2)},
             {"right", QRect(f.left() + f.width(), f.top(), 2, f.height() + 2)},
             {kTopLine, QRect(f.left(), f.top(), f.width() + 2, 2)},
             {"bottom", QRect(f.left(), f.top() + f.height(), f.width() + 2, 2)}}};
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

// Controls drawn with a line along their edges.
bool HasOutline(const QWidget& widget) {
    if (dynamic_cast<const ui::detail::GroupFrame*>(&widget)) {
        return false;
    }
    if (const auto* label = dynamic_cast<const ui::detail::StaticText*>(&widget)) {
        return label->frameShape() != QFrame::NoFrame;
    }
    return qobject_cast<const QPushButton*>(&widget) || qobject_cast<const QLineEdit*>(&widget) ||
           qobject_cast<const QComboBox*>(&widget) ||
           qobject_cast<const QAbstractScrollArea*>(&widget);
}

// The edge pixels of a rectangle; its inside does not count.
QRegion Outline(const QRect& rect) {
    return QRegion(rect).subtracted(QRegion(rect.adjusted(1, 1, -1, -1)));
}

QString Describe(const Room& room) {
    const char* dimension = room.dimension == Dimension::Width ? "wide" : "high";
    return QStringLiteral("needs %1 px %3, has %2 px")
        .arg(room.needed)
        .arg(room.available)
        .arg(QLatin1String(dimension));
}

QString Quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// The controls of one dialog, each measured in its box.
class DialogCheck {
public:
    DialogCheck(const ui::Dialog& dialog, std::function<void(const QString&)> add)
        : m_window(ui::WindowOf(dialog)), m_add(std::move(add)) {
        m_where = QStringLiteral("dialog %1, %2")
                      .arg(dialog.TemplateId())
                      .arg(dialog.Language() == res::Language::Chinese ? QLatin1String("zh")
                                                                       : QLatin1String("en"));
        if (const res::DialogTemplate* tpl = res::FindDialogTemplate(dialog.TemplateId())) {
            for (const res::ControlTemplate& control : tpl->controls) {
                if (const QWidget* widget = ui::WidgetOf(dialog.Item(control.id))) {
                    m_ids.insert(widget, control.id);
                }
            }
        }
        for (const QWidget* widget : Controls()) {
            if (const auto* group = dynamic_cast<const ui::detail::GroupFrame*>(widget)) {
                m_groups.push_back(group);
            }
        }
    }

    // The window's controls; hidden ones too, the program shows them when
    // it needs them.
    QList<const QWidget*> Controls() const {
        QList<const QWidget*> controls;
        if (!m_window) {
            return controls;
        }
        for (const QObject* child : m_window->children()) {
            const auto* widget = qobject_cast<const QWidget*>(child);
            if (widget && !widget->isWindow()) {
                controls << widget;
            }
        }
        return controls;
    }

    void CheckControl(const QWidget& widget) {
        const QRect frame = widget.geometry();
        Report(widget, QStringLiteral("frame"), {frame.width(), m_window->width() - frame.left()});
        Report(widget, QStringLiteral("frame"),
               {frame.height(), m_window->height() - frame.top(), Dimension::Height});
        if (const auto* button = qobject_cast<const QPushButton*>(&widget)) {
            Report(widget, Quoted(button->text()), PushButtonRoom(*button));
        } else if (const auto* check = qobject_cast<const QCheckBox*>(&widget)) {
            Report(widget, Quoted(check->text()),
                   IndicatorButtonRoom(*check, QStyle::SE_CheckBoxContents));
        } else if (const auto* radio = qobject_cast<const QRadioButton*>(&widget)) {
            Report(widget, Quoted(radio->text()),
                   IndicatorButtonRoom(*radio, QStyle::SE_RadioButtonContents));
        } else if (const auto* group = dynamic_cast<const ui::detail::GroupFrame*>(&widget)) {
            CheckCaption(*group);
        } else if (const auto* label = dynamic_cast<const ui::detail::StaticText*>(&widget)) {
            CheckStatic(*label);
        } else if (const auto* combo = qobject_cast<const QComboBox*>(&widget)) {
            const QRect area = ComboTextArea(*combo);
            const QFontMetrics metrics(combo->font());
            Report(widget, QStringLiteral("text field"), LineHeightRoom(metrics, area));
            for (int i = 0; i < combo->count(); ++i) {
                Report(widget, QStringLiteral("item ") + Quoted(combo->itemText(i)),
                       {TextWidth(metrics, combo->itemText(i)), area.width()});
            }
            if (combo->isEditable()) {
                Report(widget, Quoted(combo->currentText()),
                       {TextWidth(metrics, combo->currentText()), area.width()});
            }
        } else if (const auto* edit = qobject_cast<const QLineEdit*>(&widget)) {
            const QRect area = LineEditTextArea(*edit);
            const QFontMetrics metrics(edit->font());
            Report(widget, QStringLiteral("text field"), LineHeightRoom(metrics, area));
            Report(widget, Quoted(edit->text()), {TextWidth(metrics, edit->text()), area.width()});
        }
    }

    void ReportMissing(int id) {
        m_add(QStringLiteral("%1, control %2: not found").arg(m_where).arg(id));
    }

private:
    void CheckStatic(const ui::detail::StaticText& label) {
        Report(label, Quoted(label.text()), StaticRoom(label));
        const QRect ink = StaticInk(label);
        if (ink.isEmpty()) {
            return;
        }
        const QRect box = label.contentsRect().translated(label.pos());
        for (const QString& cut : GlyphsCut(ink, box)) {
            ReportMisfit(label, Quoted(label.text()), cut);
        }
        CheckClearOfFrames(label, ink, nullptr);
    }

    // A group's caption runs over its own top line, whose stretch behind the
    // caption its background hides; every other line it must keep clear of,
    // and the outlines of the controls below it too.
    void CheckCaption(const ui::detail::GroupFrame& group) {
        Report(group, Quoted(group.text()), GroupCaptionRoom(group));
        const QRect ink = StaticInk(group);
        if (ink.isEmpty()) {
            return;
        }
        CheckClearOfFrames(group, ink, &group);
        const QRect near =
            ink.adjusted(-kLineClearance, -kLineClearance, kLineClearance, kLineClearance);
        for (const QWidget* other : Controls()) {
            if (HasOutline(*other) && Outline(other->geometry()).intersects(near)) {
                ReportMisfit(group, Quoted(group.text()),
                             QStringLiteral("drawn over the outline of control %1")
                                 .arg(m_ids.value(other, -1)));
            }
        }
    }

    void CheckClearOfFrames(const ui::detail::StaticText& label, const QRect& ink,
                            const ui::detail::GroupFrame* own) {
        const QRect near =
            ink.adjusted(-kLineClearance, -kLineClearance, kLineClearance, kLineClearance);
        for (const ui::detail::GroupFrame* group : m_groups) {
            for (const FrameLine& line : FrameLines(*group)) {
                if (group == own && line.side == kTopLine) {
                    continue;
                }
                if (near.intersects(line.pixels)) {
                    ReportMisfit(label, Quoted(label.text()),
                                 QStringLiteral("drawn over the %1 line of group %2 %3")
                                     .arg(QLatin1String(line.side))
                                     .arg(m_ids.value(group, -1))
                                     .arg(Quoted(group->text())));
                }
            }
        }
    }

    void Report(const QWidget& widget, const QString& what, const Room& room) {
        if (!room.fits()) {
            ReportMisfit(widget, what, Describe(room));
        }
    }

    void ReportMisfit(const QWidget& widget, const QString& what, const QString& misfit) {
        m_add(QStringLiteral("%1, control %2, %3: %4")
                  .arg(m_where)
                  .arg(m_ids.value(&widget, -1))
                  .arg(what, misfit));
    }

    const QWidget* m_window;
    std::function<void(const QString&)> m_add;
    QString m_where;
    QHash<const QWidget*, int> m_ids;
    std::vector<const ui::detail::GroupFrame*> m_groups;
};

} // namespace

void FitCheck::Check(const ui::Dialog& dialog) {
    DialogCheck check(dialog, [this](const QString& line) { Add(line); });
    for (const QWidget* widget : check.Controls()) {
        check.CheckControl(*widget);
    }
}

void FitCheck::CheckTexts(const ui::Dialog& dialog, int id, const QStringList& texts) {
    DialogCheck check(dialog, [this](const QString& line) { Add(line); });
    ui::Control control = dialog.Item(id);
    const QWidget* widget = ui::WidgetOf(control);
    if (!widget) {
        check.ReportMissing(id);
        return;
    }
    const std::string own = control.Text();
    for (const QString& text : texts) {
        control.SetText(text.toStdString());
        check.CheckControl(*widget);
    }
    control.SetText(own);
}

void FitCheck::Add(const QString& line) {
    if (!m_seen.contains(line)) {
        m_seen.insert(line);
        m_lines.append(line);
    }
}
