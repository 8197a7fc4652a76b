#pragma once

#include <cstddef>
#include <functional>

// Runs independent tasks on the machine's cores with standard threads. Each task
// writes only its own result slot, so what a task computes does not depend on which
// thread ran it or when: the same bits as running it alone.
namespace DesignMap {

// Told after each finished task (done of total); returning false cancels: no task is
// started after that, and the tasks already running finish. Called from the worker
// threads, one call at a time, so it need only be safe against other threads of the
// program, not against itself.
using GridProgress = std::function<bool(std::size_t done, std::size_t total)>;

// The threads a run uses when asked for 0: the hardware's count, at least 1.
unsigned DefaultThreads();

// Calls task(i) for every i in 0 .. total - 1, spread over `threads` threads (0: the
// default; never more threads than tasks), the calling thread among them. Returns
// false when the progress callback cancelled; some tasks have then not run.
bool RunParallel(std::size_t total, unsigned threads, const std::function<void(std::size_t)>& task,
                 const GridProgress& progress = {});

} // namespace DesignMap
