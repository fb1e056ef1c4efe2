#include "platform/ui/dialog_font.h"

#include <QFontMetrics>
#include <QString>
#include <QStringList>

namespace ui::detail {

namespace {

// a * b / c rounded half away from zero, like the original's MulDiv.
int MulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : -((-product + half) / c));
}

int PointsOrDefault(int points) {
    return points > 0 ? points : 8;
}

// The average character width the way the original measures it.
int AverageWidth(const QFont& font) {
    const int width = QFontMetrics(font).horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return (width / 26 + 1) / 2;
}

} // namespace

BaseUnits DialogBaseUnits(int points) {
    const int pt = PointsOrDefault(points);
    return BaseUnits{MulDiv(6, pt, 8), MulDiv(13, pt, 8)};
}

QFont DialogFont(int points, res::Language language) {
    const int pt = PointsOrDefault(points);
    QFont font;
    // Liberation Sans is as wide as the original's dialog font; the CJK family
    // has the Chinese glyphs, and is behind it for Chinese texts in English
    // dialogs.
    if (language == res::Language::Chinese) {
        font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Liberation Sans"),
                          QStringLiteral("DejaVu Sans")});
    } else {
        font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"),
                          QStringLiteral("Noto Sans CJK SC")});
    }
    font.setStyleHint(QFont::SansSerif);
    // 96 pixels an inch, as the original's layout assumed.
    const int nominal = MulDiv(pt, 4, 3);
    font.setPixelSize(nominal);
    // A wider substitute is made smaller, within reason, so captions still
    // fit the rectangles drawn for the original's font.
    const int widest = DialogBaseUnits(pt).x;
    for (int size = nominal - 1; size >= nominal * 3 / 4 && AverageWidth(font) > widest; --size) {
        font.setPixelSize(size);
    }
    return font;
}

Rect DialogUnitsToPixels(const Rect& du, BaseUnits base) {
    return Rect{MulDiv(du.left, base.x, 4), MulDiv(du.top, base.y, 8), MulDiv(du.right, base.x, 4),
                MulDiv(du.bottom, base.y, 8)};
}

} // namespace ui::detail
