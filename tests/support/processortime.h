#pragma once
// Processor time of the child processes a test has run and that have ended:
// the difference around one command is the processor time it used, so a
// test can tell a command that sleeps while it waits from one that spins.

#include <QtGlobal>
#include <sys/resource.h>

inline qint64 childrenProcessorMs()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return (qint64(usage.ru_utime.tv_sec) + usage.ru_stime.tv_sec) * 1000
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}
