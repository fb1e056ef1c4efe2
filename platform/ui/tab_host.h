#pragma once
// The tab control: a strip of tabs over a framed body in one widget, so that
// pages placed in its client coordinates sit below the strip as in the
// original. Internal.

#include <QTabBar>
#include <QWidget>

namespace ui::detail {

class TabHost : public QWidget {
public:
    explicit TabHost(QWidget* parent);
    QTabBar* bar() const { return m_bar; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void placeBar();
    QTabBar* m_bar;
};

} // namespace ui::detail
