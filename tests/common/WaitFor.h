#pragma once
// Waiting for an event instead of sleeping a fixed time: the condition is
// checked about every millisecond until it holds or the deadline passes, so
// a test takes as long as the event does and fails clearly when it never
// comes.
#include <chrono>
#include <functional>
#include <thread>

namespace trovtest {

inline bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 3000)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

} // namespace trovtest
