#include "platform/ui/static_text.h"

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
    : QFrame(parent), m_color(palette().color(QPalette::WindowText)) {}

void StaticText::setText(const QString& text) {
    m_text = text;
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
    painter.setFont(font());
    painter.setPen(isEnabled() ? m_color
                               : palette().color(QPalette::Disabled, QPalette::WindowText));
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

int GroupFrame::CaptionIndent() const {
    return fontMetrics().horizontalAdvance(QLatin1Char('x'));
}

int GroupFrame::FrameRight() const {
    return width() - kFrameInset;
}

int GroupFrame::CaptionRoom() const {
    return FrameRight() - CaptionIndent() - 2 * kCaptionPadding;
}

void GroupFrame::paintEvent(QPaintEvent*) {
    runPaintHook();
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int top = metrics.height() / 2;
    const QRect frame(0, top, FrameRight(), height() - top - kFrameInset);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.translated(1, 1));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame);
    if (text().isEmpty()) {
        return;
    }
    const QRect caption(CaptionIndent(), 0, metrics.horizontalAdvance(text()) + 2 * kCaptionPadding,
                        metrics.height());
    painter.fillRect(caption, palette().window());
    painter.setPen(isEnabled() ? textColor()
                               : palette().color(QPalette::Disabled, QPalette::WindowText));
    painter.drawText(caption.adjusted(kCaptionPadding, 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text());
}

} // namespace ui::detail
