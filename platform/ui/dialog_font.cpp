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

} // namespace

QFont DialogFont(int points, res::Language language) {
    QFont font;
    if (language == res::Language::Chinese) {
        font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("DejaVu Sans")});
    } else {
        font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC")});
    }
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(points > 0 ? points : 8);
    return font;
}

BaseUnits DialogBaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return BaseUnits{(width / 26 + 1) / 2, metrics.height()};
}

Rect DialogUnitsToPixels(const Rect& du, BaseUnits base) {
    return Rect{MulDiv(du.left, base.x, 4), MulDiv(du.top, base.y, 8), MulDiv(du.right, base.x, 4),
                MulDiv(du.bottom, base.y, 8)};
}

} // namespace ui::detail
