#pragma once
// Timestamps of the menu's start, in a benchmark build only (the CMake option
// AK_STARTUP_TIMES); elsewhere AK_STARTUP_TIME compiles to nothing. Each call
// keeps the step's name and the performance counter, which all processes
// share, so the benchmark can place them after its own CreateProcess. They are
// written when the program ends to the file that AK_STARTUP_TIMES_FILE names.
#if defined(AK_STARTUP_TIMES)
namespace platform {
// `step` is a string literal: it is kept, not copied.
void StartupTime(const char* step);
} // namespace platform
#define AK_STARTUP_TIME(step) ::platform::StartupTime(step)
#else
#define AK_STARTUP_TIME(step) static_cast<void>(0)
#endif
