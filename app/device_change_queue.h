#pragma once
// Arrivals and removals of USB devices waiting for their turn. An event
// becomes the steps of its handling: a reader's arrival a connect and its
// removal a disconnect, each 300 ms after the event so that the system's own
// handling of the device comes first (whether the step still applies is told
// when it runs); every removal then empties the status line. Steps run in
// order. A later event of the same device supersedes the steps still
// waiting, so a bouncing cable settles on its last state.

#include <cstdint>
#include <deque>
#include <string>

enum class DeviceStepKind { Connect, Disconnect, ClearStatus };

struct DeviceStep {
    DeviceStepKind kind;
    std::string interfaceName;
    uint32_t eventTick; // when the event came
    uint32_t delayMs;   // how long after it the step may run
};

class DeviceChangeQueue {
public:
    // The interface name is tested for the readers' ids as the system
    // spells them: plain, case-sensitive substrings.
    void Add(bool arrival, const std::string& interfaceName);
    bool Empty() const { return m_steps.empty(); }
    // Milliseconds until the first step may run; 0 when it may run now.
    uint32_t MsUntilFirstDue() const;
    DeviceStep TakeFirst();
    void Clear() { m_steps.clear(); }

private:
    std::deque<DeviceStep> m_steps;
};
