#pragma once

#include "effects/engine/IDesktop.h"

#include <gtest/gtest.h>

#include <string>

// Expects each edge of a rectangle; `what` names the rectangle or the step in a failure.
inline void ExpectRect(const DesktopRect& actual, const DesktopRect& expected,
                       const std::string& what = "") {
    EXPECT_EQ(actual.left, expected.left) << what;
    EXPECT_EQ(actual.top, expected.top) << what;
    EXPECT_EQ(actual.right, expected.right) << what;
    EXPECT_EQ(actual.bottom, expected.bottom) << what;
}
