#pragma once
// A pool of worker threads for the batches of the command-line host.
#include <cstddef>
#include <functional>

namespace s16app {

// Runs `worker` on the calling thread and on up to `threads` - 1 more, and
// waits for all of them. Each worker takes items until none is left, so when
// the system gives fewer threads than asked the work is shared among those
// it gives.
void RunWorkers(std::size_t threads, std::function<void()> const& worker);

}  // namespace s16app
