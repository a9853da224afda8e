// Checks many members on worker threads, results in input order.
#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

#include "app/MemberRunner.h"

namespace s16app {

namespace {
BatchItem CheckOne(MemberInput const& input, RunOptions const& options) {
    BatchItem item;
    try {
        item.outcome = CheckMember(input, options);
    } catch (InputError const& e) {
        item.error = e.what();
    } catch (std::exception const& e) {
        item.error = Where(input, "") + ": the check failed: " + e.what();
    }
    return item;
}
}  // namespace

std::vector<BatchItem> CheckAll(std::vector<MemberInput> const& members, RunOptions const& options, int jobs,
                                std::function<void(std::size_t, std::size_t)> const& progress) {
    std::vector<BatchItem> items(members.size());
    std::atomic<std::size_t> next{0};
    std::size_t done = 0;
    std::mutex progressMutex;
    // Each worker takes the next unchecked member; a member object lives on
    // the worker that made it.
    auto worker = [&] {
        for (std::size_t i = next++; i < members.size(); i = next++) {
            items[i] = CheckOne(members[i], options);
            std::lock_guard<std::mutex> lock(progressMutex);
            ++done;
            if (progress) progress(done, members.size());
        }
    };
    std::size_t const threads = std::min<std::size_t>(static_cast<std::size_t>(std::max(1, jobs)), members.size());
    // The calling thread is one of the workers; when the system gives fewer
    // threads than asked, the members are shared among those it gives.
    std::vector<std::thread> pool;
    try {
        for (std::size_t t = 1; t < threads; ++t) pool.emplace_back(worker);
    } catch (std::system_error const&) {
    }
    worker();
    for (auto& t : pool) t.join();
    return items;
}

}  // namespace s16app
