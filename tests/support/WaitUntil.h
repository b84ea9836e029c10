#pragma once

#include <chrono>
#include <thread>

// Sleeps in 1 ms steps until the condition holds. Tests rely on CTest's timeout, not on
// a deadline of their own, should it never hold.
template <class Condition> void WaitUntil(Condition condition) {
    while (!condition())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}
