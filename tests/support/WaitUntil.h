#pragma once

#include <chrono>
#include <functional>
#include <thread>

// Waits until a condition holds or a deadline passes; true when it held. The
// one wait of the tests: between tries it runs betweenTries (a test with a
// Qt event loop passes one that processes events; by default it sleeps), so
// that a test waits for what it means, never for a fixed time.
inline bool WaitUntil(const std::function<bool()> &condition, std::chrono::milliseconds deadline,
                      const std::function<void()> &betweenTries = {})
{
    const auto until = std::chrono::steady_clock::now() + deadline;
    while (true) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= until)
            return false;
        if (betweenTries)
            betweenTries();
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}
