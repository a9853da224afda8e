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

void CheckStream(std::vector<MemberInput> const& members, RunOptions const& options, int jobs,
                 std::function<std::string(std::size_t, BatchItem const&)> const& render,
                 std::function<void(std::size_t, BatchItem const&, std::string const&)> const& emit,
                 std::function<void(std::size_t, std::size_t)> const& progress) {
    struct Slot {
        BatchItem item;
        std::string text;
        bool ready = false;
    };
    std::vector<Slot> slots(members.size());
    std::atomic<std::size_t> next{0};
    std::size_t done = 0;
    std::size_t emitted = 0;  // members before this one have been emitted
    std::mutex emitMutex;
    // Each worker takes the next unchecked member; a member object lives on
    // the worker that made it. Whoever completes the next member in input
    // order emits it, and every ready one after it.
    auto worker = [&] {
        for (std::size_t i = next++; i < members.size(); i = next++) {
            Slot& slot = slots[i];
            slot.item = CheckOne(members[i], options);
            if (render) slot.text = render(i, slot.item);
            std::lock_guard<std::mutex> const lock(emitMutex);
            slot.ready = true;
            for (; emitted < slots.size() && slots[emitted].ready; ++emitted) {
                Slot& out = slots[emitted];
                if (emit) emit(emitted, out.item, out.text);
                out.item = BatchItem{};  // emitted: its memory goes back
                std::string().swap(out.text);
            }
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
}

std::vector<BatchItem> CheckAll(std::vector<MemberInput> const& members, RunOptions const& options, int jobs,
                                std::function<void(std::size_t, std::size_t)> const& progress) {
    std::vector<BatchItem> items(members.size());
    CheckStream(
        members, options, jobs, nullptr,
        [&items](std::size_t i, BatchItem const& item, std::string const&) { items[i] = item; }, progress);
    return items;
}

}  // namespace s16app
