#pragma once

#include <chrono>
#include <thread>

// Sleeps in 1 ms steps until the condition holds. Tests rely on CTest's timeout, not on
// a deadline of their own, should it never hold.
template <class Condition> void WaitUntil(Condition condition) {
    while (!condition())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

// As WaitUntil, but gives up after `deadline`; whether the condition held. For waits on
// something that may hang, where the test must end and report instead.
template <class Condition>
bool WaitUntilWithin(Condition condition, std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
