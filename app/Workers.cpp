#include "app/Workers.h"

#include <system_error>
#include <thread>
#include <vector>

namespace s16app {

void RunWorkers(std::size_t threads, std::function<void()> const& worker) {
    std::vector<std::thread> pool;
    try {
        for (std::size_t t = 1; t < threads; ++t) pool.emplace_back(worker);
    } catch (std::system_error const&) {}
    worker();
    for (auto& t : pool) t.join();
}

}  // namespace s16app
