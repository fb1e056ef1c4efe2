#include "platform/ui/static_text.h"

#include <QEvent>
#include <QFontInfo>
#include <QPainter>
#include <QPalette>

namespace ui::detail {

namespace {

// The caption's background reaches this far past its text on either side.
constexpr int kCaptionPadding = 2;
// The light line is drawn one pixel right of and below the dark one.
constexpr int kFrameInset = 2;

} // namespace

StaticText::StaticText(QWidget* parent)
    : QFrame(parent), m_fontSet(font()), m_color(palette().color(QPalette::WindowText)) {}

void StaticText::setText(const QString& text) {
    m_text = text;
    fitFont();
    update();
}

void StaticText::setAlignment(Qt::Alignment alignment) {
    m_alignment = alignment;
    update();
}

void StaticText::setWordWrap(bool wrap) {
    m_wordWrap = wrap;
    update();
}

void StaticText::setPixmap(const QPixmap& pixmap) {
    m_pixmap = pixmap;
    update();
}

void StaticText::setTextColor(const QColor& color) {
    m_color = color;
    if (!m_inPaint) {
        update();
    }
}

void StaticText::setFillBackground(bool fill) {
    m_fill = fill;
    update();
}

void StaticText::setShrinkToFit(bool shrink) {
    m_shrinkToFit = shrink;
    fitFont();
    update();
}

void StaticText::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange && !m_fitting) {
        m_fontSet = font();
        fitFont();
    }
}

void StaticText::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    fitFont();
}

void StaticText::fitFont() {
    if (!m_shrinkToFit) {
        return;
    }
    const QRect room = contentsRect();
    const auto fits = [&](const QFont& candidate) {
        const QFontMetrics metrics(candidate);
        return metrics.horizontalAdvance(m_text) <= room.width() &&
               metrics.tightBoundingRect(m_text).height() <= room.height();
    };
    QFont fitted = m_fontSet;
    for (int size = QFontInfo(m_fontSet).pixelSize() - 1; size > 0 && !fits(fitted); --size) {
        QFont smaller = fitted;
        smaller.setPixelSize(size);
        if (QFontMetrics(smaller).height() < kMinFittedLineHeight) {
            break;
        }
        fitted = smaller;
    }
    if (fitted == font()) {
        return;
    }
    m_fitting = true;
    setFont(fitted);
    m_fitting = false;
}

void StaticText::runPaintHook() {
    m_inPaint = true;
    if (onPaint) {
        onPaint();
    }
    m_inPaint = false;
}

void StaticText::paintEvent(QPaintEvent* event) {
    runPaintHook();
    QPainter painter(this);
    if (m_fill) {
        painter.fillRect(rect(), palette().window());
    }
    painter.end();
    QFrame::paintEvent(event);
    painter.begin(this);
    if (!m_pixmap.isNull()) {
        painter.drawPixmap(contentsRect().topLeft(), m_pixmap);
        return;
    }
    painter.setPen(isEnabled() ? m_color
                               : palette().color(QPalette::Disabled, QPalette::WindowText));
    drawText(painter);
}

void StaticText::drawText(QPainter& painter) const {
    painter.setFont(font());
    if (m_shrinkToFit) {
        painter.drawText(lineOrigin(), m_text);
        return;
    }
    int flags = static_cast<int>(m_alignment) | Qt::TextDontClip;
    if (m_wordWrap) {
        flags |= Qt::TextWordWrap;
    }
    QRect area = contentsRect();
    const int lineHeight = QFontMetrics(font()).height();
    if (area.height() < lineHeight) {
        // A line taller than its box (the CJK font's lines are) is centred on
        // the box, so the glyphs keep their feet instead of being cut there.
        const int excess = lineHeight - area.height();
        area.adjust(0, -excess / 2, 0, excess - excess / 2);
        flags = (flags & ~Qt::AlignVertical_Mask) | Qt::AlignVCenter;
    }
    painter.drawText(area, flags, m_text);
}

// The one line starts where the alignment puts it across the box and at the
// box's top; a line taller than the box has its glyphs centred on the box
// instead, so that none is cut.
QPoint StaticText::lineOrigin() const {
    const QRect area = contentsRect();
    const QFontMetrics metrics(font());
    const int width = metrics.horizontalAdvance(m_text);
    int x = area.left();
    if (m_alignment & Qt::AlignHCenter) {
        x += (area.width() - width) / 2;
    } else if (m_alignment & Qt::AlignRight) {
        x += area.width() - width;
    }
    if (metrics.height() <= area.height()) {
        return {x, area.top() + metrics.ascent()};
    }
    const QRect ink = metrics.tightBoundingRect(m_text);
    return {x, area.top() + (area.height() - ink.height()) / 2 - ink.top()};
}

int GroupFrame::CaptionIndent() const {
    return fontMetrics().horizontalAdvance(QLatin1Char('x'));
}

int GroupFrame::FrameRight() const {
    return width() - kFrameInset;
}

int GroupFrame::CaptionRoom() const {
    return FrameRight() - CaptionIndent() - 2 * kCaptionPadding;
}

// The top line runs through the middle of the caption. A frame without one
// puts it as far down as a Latin caption's middle would be, about the height
// of a small letter, so that a CJK font's taller line does not bring it down
// onto the controls inside.
QRect GroupFrame::Frame() const {
    const int top = text().isEmpty() ? fontMetrics().xHeight() : fontMetrics().height() / 2;
    return {0, top, FrameRight(), height() - top - kFrameInset};
}

QRect GroupFrame::CaptionRect() const {
    const QFontMetrics metrics(font());
    return {CaptionIndent(), 0, metrics.horizontalAdvance(text()) + 2 * kCaptionPadding,
            metrics.height()};
}

void GroupFrame::drawText(QPainter& painter) const {
    painter.setFont(font());
    painter.drawText(CaptionRect().adjusted(kCaptionPadding, 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text());
}

void GroupFrame::paintEvent(QPaintEvent*) {
    runPaintHook();
    QPainter painter(this);
    const QRect frame = Frame();
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.translated(1, 1));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame);
    if (text().isEmpty()) {
        return;
    }
    painter.fillRect(CaptionRect(), palette().window());
    painter.setPen(isEnabled() ? textColor()
                               : palette().color(QPalette::Disabled, QPalette::WindowText));
    drawText(painter);
}

} // namespace ui::detail
