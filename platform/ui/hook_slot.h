#pragma once
// One replaceable hook: set and read under a lock, called outside it.
// Internal.

#include <mutex>
#include <utility>

namespace ui::detail {

template <typename Hook> class HookSlot {
public:
    Hook exchange(Hook hook) {
        const std::lock_guard lock(m_mutex);
        std::swap(m_hook, hook);
        return hook;
    }
    Hook get() const {
        const std::lock_guard lock(m_mutex);
        return m_hook;
    }

private:
    mutable std::mutex m_mutex;
    Hook m_hook;
};

} // namespace ui::detail
