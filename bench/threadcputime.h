#pragma once

#include <QtGlobal>

#include <time.h>

// The calling thread's CPU time in nanoseconds: the main thread's own work,
// whatever else the machine is busy with.
inline qint64 threadCpuNs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}
