#include "design/map/ParallelGrid.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace DesignMap {

unsigned DefaultThreads() {
    return std::max(1u, std::thread::hardware_concurrency());
}

bool RunParallel(std::size_t total, unsigned threads, const std::function<void(std::size_t)>& task,
                 const GridProgress& progress) {
    if (total == 0)
        return true;
    if (threads == 0)
        threads = DefaultThreads();
    threads = static_cast<unsigned>(std::min<std::size_t>(threads, total));

    std::atomic<std::size_t> next{0};
    std::atomic<bool> cancelled{false};
    std::mutex progressMutex;
    std::size_t done = 0; // guarded by progressMutex

    const auto work = [&] {
        while (!cancelled.load(std::memory_order_relaxed)) {
            const std::size_t i = next.fetch_add(1, std::memory_order_relaxed);
            if (i >= total)
                return;
            task(i);
            if (!progress)
                continue;
            const std::lock_guard lock(progressMutex);
            ++done;
            if (!cancelled.load(std::memory_order_relaxed) && !progress(done, total))
                cancelled.store(true, std::memory_order_relaxed);
        }
    };

    std::vector<std::jthread> workers;
    workers.reserve(threads - 1);
    for (unsigned t = 1; t < threads; ++t)
        workers.emplace_back(work);
    work();
    workers.clear(); // joins
    return !cancelled.load();
}

} // namespace DesignMap
