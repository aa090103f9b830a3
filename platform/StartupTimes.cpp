#include "platform/StartupTimes.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Stamp {
    const char* step;
    LONGLONG counter;
};

// Written at the end, so that the steps cost a counter read each.
class Stamps {
public:
    Stamps() { m_stamps.reserve(4096); }
    ~Stamps()
    {
        const char* path = std::getenv("AK_STARTUP_TIMES_FILE");
        FILE* file = path ? std::fopen(path, "w") : nullptr;
        if (!file)
            return;
        LARGE_INTEGER frequency;
        ::QueryPerformanceFrequency(&frequency);
        std::fprintf(file, "frequency %lld\n", static_cast<long long>(frequency.QuadPart));
        for (const Stamp& s : m_stamps)
            std::fprintf(file, "%lld %s\n", static_cast<long long>(s.counter), s.step);
        std::fclose(file);
    }
    void Add(const char* step)
    {
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        m_stamps.push_back(Stamp{step, now.QuadPart});
    }

private:
    std::vector<Stamp> m_stamps;
};

} // namespace

void platform::StartupTime(const char* step)
{
    // Made at the first step, whenever that is; written at the end.
    static Stamps stamps;
    stamps.Add(step);
}
