#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

/// What f prints to standard output (the game's "ERROR:" lines, message boxes in tests).
template <typename F>
std::string StdoutOf(F&& f)
{
    testing::internal::CaptureStdout();
    f();
    fflush(stdout);
    return testing::internal::GetCapturedStdout();
}
