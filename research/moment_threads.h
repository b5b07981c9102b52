#pragma once
// The sampling loops on all cores. The main thread draws a block's random moments before it and
// adds its results up after it, in the single loop's order; in between, the block's moments are
// computed side by side into memory, each thread with scratch of its own. Workers touch no
// toolkit, output, file or random generator, so a run gives the same bytes on any number of
// threads. The sampling modules run as a pipeline (RunBlockPipeline): the main thread's serial
// work on one block overlaps the computing of the next.
//
// The threads are the standard library's, started for a block and joined at its end: they wait
// for nothing in between, so a machine busy with other work cannot hold a block up on a thread
// that spins for a partner that is not running (OpenMP's default, active waiting, made a
// Continuum 10 times slower on two loaded cores).

#include <algorithm>
#include <atomic>
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

// A sampling loop of `blocks` blocks on all threads, as a pipeline. prepare(k) makes block k
// ready on the main thread (draws its random numbers, in block order) and returns its item
// count; compute(k, begin, end) computes items begin..end-1 of block k on any thread, writing
// only their results; consume(k, item) uses one item's results on the main thread, in the
// single loop's order (its sums, counts, progress and waits), and returns false to stop.
//
// While the threads compute block k, the main thread consumes block k - 1 and prepares block
// k + 1, then joins the computing. The items are handed out `chunk` at a time from a shared
// counter, so the threads end a block together whatever their share of other work. Callers keep
// two buffers of a block, indexed by k & 1. One thread (or `oneThread`) computes and consumes
// item by item, as the single loop does. Astronomy diagnostics of a block held back by the
// threads are printed by computing the block once more on the main thread, item by item before
// each item is consumed, so text and results are what one thread gives. False when stopped.
template <typename Prepare, typename Compute, typename Consume>
bool RunBlockPipeline(int blocks, int chunk, bool oneThread, const Prepare& prepare,
                      const Compute& compute, const Consume& consume)
{
    const int threads = oneThread ? 1 : std::min(MomentThreads(), 256);
    if (chunk < 1) chunk = 1;
    if (threads <= 1) {
        for (int k = 0; k < blocks; ++k) {
            const int items = prepare(k);
            for (int i = 0; i < items; ++i) {
                compute(k, i, i + 1);
                if (!consume(k, i)) return false;
            }
        }
        return true;
    }
    auto consumeBlock = [&](int k, int items) {
        for (int i = 0; i < items; ++i)
            if (!consume(k, i)) return false;
        return true;
    };
    int items = blocks > 0 ? prepare(0) : 0;
    int pending = -1, pendingItems = 0;  // a computed block not consumed yet
    for (int k = 0; k < blocks; ++k) {
        const int count = items;
        std::atomic<int> next{0};
        std::atomic<int> held{0};
        auto work = [&] {
            HoldAstroPrint(true);
            for (int i; (i = next.fetch_add(chunk, std::memory_order_relaxed)) < count;)
                compute(k, i, std::min(i + chunk, count));
            held.fetch_add(HeldAstroPrints(), std::memory_order_relaxed);
            HoldAstroPrint(false);
        };
        std::thread workers[256];
        for (int t = 1; t < threads && count > 0; ++t) {
            try {
                workers[t] = std::thread(work);
            } catch (const std::system_error&) {
                break;  // no thread to be had (a process limit): fewer threads take the block
            }
        }
        bool going = pending < 0 || consumeBlock(pending, pendingItems);
        pending = -1;
        if (going && k + 1 < blocks) items = prepare(k + 1);
        if (!going) next.store(count, std::memory_order_relaxed);  // hand out no more items
        work();
        for (std::thread& worker : workers)
            if (worker.joinable()) worker.join();
        if (!going) return false;
        if (held.load(std::memory_order_relaxed) == 0) {
            pending = k;
            pendingItems = count;
            continue;
        }
        for (int i = 0; i < count; ++i) {
            compute(k, i, i + 1);
            if (!consume(k, i)) return false;
        }
    }
    return pending < 0 || consumeBlock(pending, pendingItems);
}
