// The peak resident memory of this process, as the kernel keeps it for its own address space
// (VmHWM). The benchmark's processes print it at their end when TOVARIN_BENCH_PEAK is set: the
// figure that wait4 reports also counts the parent's memory, which a spawned child runs in until
// its exec.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tovarin::bench {

inline void printPeakMemoryIfAsked()
{
    if (!std::getenv("TOVARIN_BENCH_PEAK"))
        return;
    if (FILE *status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status))
            if (std::strncmp(line, "VmHWM:", 6) == 0)
                std::printf("peak-kB %ld\n", std::strtol(line + 6, nullptr, 10));
        std::fclose(status);
    }
}

} // namespace tovarin::bench
