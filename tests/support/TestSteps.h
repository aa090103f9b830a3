#pragma once
// A named step of a long test: what fails inside it carries its name, and it
// does not run once an earlier step has failed fatally.
#include <gtest/gtest.h>

template <typename Fn>
void Step(const char* name, Fn&& fn)
{
    SCOPED_TRACE(name);
    if (!::testing::Test::HasFatalFailure())
        fn();
}
