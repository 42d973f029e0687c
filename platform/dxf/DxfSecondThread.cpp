#include "DxfSecondThread.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sched.h>

bool dxfSecondThreadPays(std::size_t amount, std::size_t from)
{
    if (const char* forced = std::getenv("DDS_DXF_READ_AHEAD")) {
        if (std::strcmp(forced, "on") == 0)
            return true;
        if (std::strcmp(forced, "off") == 0)
            return false;
    }
    if (amount < from)
        return false;
    cpu_set_t cpus;
    CPU_ZERO(&cpus);
    if (sched_getaffinity(0, sizeof cpus, &cpus) != 0)
        return false;
    const int cores = CPU_COUNT(&cpus);
    if (cores < 2)
        return false;
    double average = 0;
    int running = 0, tasks = 0;
    std::FILE* f = std::fopen("/proc/loadavg", "r");
    if (!f)
        return false;
    const int read = std::fscanf(f, "%lf %*f %*f %d/%d", &average, &running, &tasks);
    std::fclose(f);
    if (read != 3)
        return false;
    return double(cores) - std::max(average - 1.0, double(running - 1)) >= 1.0;
}
