// The least an idle application can cost on this machine: two threads that
// do nothing but wake, one once a second and one every two seconds, as the
// application's idle pace does (the system monitor's thread, and the main
// thread's periodic checks). bench/startup-idle runs it beside the
// application, so an idle figure can be read against what waking alone
// costs in the same minute; on virtual machines that is far from nothing.
//
//   wakefloor <seconds>
//
// Prints each thread's run time, as the scheduler counts it (the same count
// bench/startup-idle reads for the application), in milliseconds per minute.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <thread>

namespace {

long long runTimeNs()
{
    std::ifstream schedstat("/proc/thread-self/schedstat");
    long long ns = 0;
    schedstat >> ns;
    return ns;
}

// Sleeps to absolute deadlines `periodSeconds` apart, as a repeating timer
// keeps its beat, and reports the run time of the wake-ups after the first.
void wake(int periodSeconds, int seconds, double *msPerMinute)
{
    timespec due {};
    clock_gettime(CLOCK_MONOTONIC, &due);
    const int wakes = seconds / periodSeconds;
    long long start = 0;
    for (int i = 0; i <= wakes; ++i) {
        due.tv_sec += periodSeconds;
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, nullptr);
        if (i == 0)
            start = runTimeNs();
    }
    *msPerMinute = double(runTimeNs() - start) / 1e6 * 60.0 / double(wakes * periodSeconds);
}

} // namespace

int main(int argc, char **argv)
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    if (seconds < 2) {
        std::fprintf(stderr, "usage: %s <seconds, at least 2>\n", argv[0]);
        return 2;
    }
    double everySecond = 0;
    double everyTwo = 0;
    std::thread one(wake, 1, seconds, &everySecond);
    std::thread two(wake, 2, seconds, &everyTwo);
    one.join();
    two.join();
    std::printf("%.1f ms per minute (a thread waking every second %.1f, every two seconds %.1f)\n",
        everySecond + everyTwo, everySecond, everyTwo);
    return 0;
}
