#pragma once
// A single-shot timer on the UI thread, restartable.

#include <functional>
#include <memory>

namespace ui {

namespace detail {
class TimerImpl;
}

class Timer {
public:
    Timer();
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // Runs call once, ms milliseconds from now; a running countdown restarts.
    void Start(int ms, std::function<void()> call);
    void Stop();
    bool IsActive() const;

private:
    std::unique_ptr<detail::TimerImpl> m_impl;
};

} // namespace ui
