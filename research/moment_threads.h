#pragma once
// The sampling loops on all cores. The main thread draws a block's random moments before it and
// adds its results up after it, in the single loop's order; in between, the block's moments are
// computed side by side into memory, each thread a contiguous share of the indexes with scratch
// of its own. Workers touch no toolkit, output, file or random generator, so a run gives the same
// bytes on any number of threads.
//
// The threads are the standard library's, started for a block and joined at its end: they wait
// for nothing in between, so a machine busy with other work cannot hold a block up on a thread
// that spins for a partner that is not running (OpenMP's default, active waiting, made a
// Continuum 10 times slower on two loaded cores).

#include <system_error>
#include <thread>

#include "astro/astro_print.h"
#include "toolkit/core/uxentry.h"

// Threads of the sampling loops: UX_THREADS, else the cores the process may use (read at start).
inline int MomentThreads() { return uxthreads_count(); }

// First index of share `part` of `parts` over 0..count-1.
inline int MomentShare(int count, int part, int parts)
{
    return static_cast<int>(static_cast<long long>(count) * part / parts);
}

// part(begin, end) over contiguous shares of 0..count-1, at most one per thread, the calling
// thread taking the first; returns when all are done, with the number of astronomy diagnostics
// the shares held back (a single thread prints its own, in order, and holds none).
template <typename Part>
int RunMomentShares(int count, const Part& part)
{
    int threads = MomentThreads();
    if (threads > count) threads = count;
    if (threads <= 1) {
        if (count > 0) part(0, count);
        return 0;
    }
    int held = 0;
    std::thread workers[256];
    int heldBy[256] = {};
    auto share = [&](int t) {
        HoldAstroPrint(true);
        part(MomentShare(count, t, threads), MomentShare(count, t + 1, threads));
        heldBy[t] = HeldAstroPrints();
        HoldAstroPrint(false);
    };
    bool started[256] = {};
    for (int t = 1; t < threads; ++t) {
        try {
            workers[t] = std::thread(share, t);
            started[t] = true;
        } catch (const std::system_error&) {
            // No thread to be had (a process limit): the calling thread does that share too.
        }
    }
    share(0);
    for (int t = 1; t < threads; ++t)
        if (started[t]) workers[t].join();
        else share(t);
    for (int t = 0; t < threads; ++t) held += heldBy[t];
    return held;
}

// Computes the results of the indexes 0..count-1 side by side. compute(begin, end) writes only
// the results of its indexes. When the astronomy code had a diagnostic to print, the range is
// computed once more on the calling thread, which prints them in index order (the same values
// again, so results and text are what one thread gives).
template <typename Compute>
void ComputeInParallel(int count, const Compute& compute)
{
    if (RunMomentShares(count, compute) > 0) compute(0, count);
}
