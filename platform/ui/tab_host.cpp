#include "platform/ui/tab_host.h"

#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>

namespace ui::detail {

TabHost::TabHost(QWidget* parent) : QWidget(parent), m_bar(new QTabBar(this)) {
    m_bar->setDrawBase(false);
    m_bar->setExpanding(false);
    m_bar->setUsesScrollButtons(true);
    placeBar();
}

void TabHost::placeBar() {
    m_bar->setGeometry(0, 0, width(), m_bar->sizeHint().height());
}

void TabHost::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeBar();
}

void TabHost::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame option;
    option.initFrom(this);
    const int top = m_bar->sizeHint().height() - 1;
    option.rect = QRect(0, top, width(), height() - top);
    option.tabBarSize = m_bar->sizeHint();
    option.shape = QTabBar::RoundedNorth;
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, option);
}

} // namespace ui::detail
