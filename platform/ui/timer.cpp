#include "platform/ui/timer.h"

#include <QTimer>

namespace ui {

namespace detail {

class TimerImpl {
public:
    TimerImpl() {
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &timer, [this] {
            const std::function<void()> run = call; // it may restart the timer
            if (run) {
                run();
            }
        });
    }
    QTimer timer;
    std::function<void()> call;
};

} // namespace detail

Timer::Timer() : m_impl(std::make_unique<detail::TimerImpl>()) {}

Timer::~Timer() = default;

void Timer::Start(int ms, std::function<void()> call) {
    m_impl->call = std::move(call);
    m_impl->timer.start(std::max(0, ms));
}

void Timer::Stop() {
    m_impl->timer.stop();
}

bool Timer::IsActive() const {
    return m_impl->timer.isActive();
}

} // namespace ui
