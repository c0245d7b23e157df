#pragma once
// Processor time of the child processes a test has run and that have ended:
// the difference around one command is the processor time it used, so a
// test can tell a command that sleeps while it waits from one that spins.
// And the processor time of the calling thread: between two turns of the
// window's event loop it is what the window's own work took, which on a
// loaded machine the wall clock overstates (other processes take the cores).

#include <QtGlobal>
#include <sys/resource.h>
#include <time.h>

inline qint64 childrenProcessorMs()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return (qint64(usage.ru_utime.tv_sec) + usage.ru_stime.tv_sec) * 1000
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

inline qint64 threadProcessorUs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}
