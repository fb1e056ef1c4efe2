#pragma once
// The widget of static texts, labels and hyperlinks: draws its own text so a
// paint hook can pick the colour of each paint without causing another one.
// Internal.

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>

class QPainter;

namespace ui::detail {

class StaticText : public QFrame {
public:
    explicit StaticText(QWidget* parent);

    QString text() const { return m_text; }
    void setText(const QString& text);
    void setAlignment(Qt::Alignment alignment);
    void setWordWrap(bool wrap);
    void setPixmap(const QPixmap& pixmap);
    QColor textColor() const { return m_color; }
    // Stores the colour; repaints only outside a paint.
    void setTextColor(const QColor& color);
    void setFillBackground(bool fill);
    bool inPaint() const { return m_inPaint; }
    // Keeps the text on one line. A text too wide for the box at the font
    // set, or with glyphs taller than the box, takes the largest smaller size
    // of that font that fits, but no size whose line is under
    // kMinFittedLineHeight; a text that fits gets the font set back. The
    // widget's own font is the one chosen, so whatever measures the widget
    // measures what is drawn.
    void setShrinkToFit(bool shrink);
    static constexpr int kMinFittedLineHeight = 10;

    // Whether a text too wide for one line goes on in further lines.
    bool wraps() const { return m_wordWrap && !m_shrinkToFit; }
    // Draws the text as a paint does, with the painter's pen: for tools that
    // look at the glyphs.
    virtual void drawText(QPainter& painter) const;

    std::function<void()> onPaint;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void runPaintHook();

private:
    void fitFont();
    QPoint lineOrigin() const;

    QString m_text;
    QPixmap m_pixmap;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignTop;
    bool m_wordWrap = true;
    bool m_fill = false;
    bool m_inPaint = false;
    bool m_shrinkToFit = false;
    bool m_fitting = false;
    QFont m_fontSet; // the font code gave the widget, before any fitting
    QColor m_color;
};

// A group box drawn as the original's: an etched frame whose top line runs
// through the middle of the caption.
class GroupFrame : public StaticText {
public:
    explicit GroupFrame(QWidget* parent) : StaticText(parent) {}

    // The caption.
    void drawText(QPainter& painter) const override;

    // How wide the caption's text may be before its background, which
    // reaches a little past the text on either side, hides the frame's right
    // line.
    int CaptionRoom() const;
    // The etched frame's dark lines; the light lines run one pixel right of
    // and below them.
    QRect Frame() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The caption's background, which hides the frame's top line behind it.
    QRect CaptionRect() const;
    // Where the caption's background starts: one Latin letter in, so a
    // Chinese font's wide average does not push captions past the frame.
    int CaptionIndent() const;
    // The frame's right line, in from the edge to leave room for its light
    // twin.
    int FrameRight() const;
};

} // namespace ui::detail
