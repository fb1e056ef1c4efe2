#pragma once
// Builds the widget of one template control. Internal.

#include "res/resource.h"

#include <QRect>

class QWidget;

namespace ui::detail {

// The widget for tpl at rect (pixels) inside parent; comboHeight is the
// height of a closed combo box (its template height is the dropped list's).
QWidget* CreateControlWidget(const res::ControlTemplate& tpl, res::Language language,
                             QWidget* parent, const QRect& rect, int comboHeight);

} // namespace ui::detail
