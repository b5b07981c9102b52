// Preloaded into the program by bench/module_runs.sh: at exit, writes the CPU seconds (user and
// system) of the main thread and of the whole process to standard error. The main thread's
// seconds are what a run takes when every thread has a core of its own, which a loaded machine
// cannot show in wall seconds.
#define _GNU_SOURCE
#include <stdio.h>
#include <sys/resource.h>

static double seconds(const struct rusage* u)
{
    return (double)(u->ru_utime.tv_sec + u->ru_stime.tv_sec) +
           (double)(u->ru_utime.tv_usec + u->ru_stime.tv_usec) / 1e6;
}

__attribute__((destructor)) static void report(void)
{
    struct rusage thread, process;
    getrusage(RUSAGE_THREAD, &thread);
    getrusage(RUSAGE_SELF, &process);
    fprintf(stderr, "main-thread-cpu %.3f process-cpu %.3f\n", seconds(&thread), seconds(&process));
}
