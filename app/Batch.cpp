// Checks many members on worker threads, results in input order.
#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

#include "app/MemberRunner.h"
#include "app/Workers.h"

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
    auto produce = [&](std::size_t i) {
        slots[i].item = CheckOne(members[i], options);
        if (!render) return;
        slots[i].text = render(i, slots[i].item);
        // Rendered: the report lines are not needed any more, and are let
        // go here, on the worker, rather than by whoever hands it over.
        if (slots[i].item.outcome)
            for (auto& c : slots[i].item.outcome->cases) std::vector<ReportLine>().swap(c.report);
    };
    auto hand = [&](std::size_t i) {
        if (emit) emit(i, slots[i].item, slots[i].text);
        slots[i].item = BatchItem{};  // emitted: its memory goes back
        std::string().swap(slots[i].text);
    };
    std::size_t const total = members.size();
    std::size_t const workers = std::min<std::size_t>(static_cast<std::size_t>(std::max(1, jobs)), total);

    std::atomic<std::size_t> next{0};
    std::size_t done = 0;
    std::size_t emitted = 0;  // members before this one have been handed over
    bool writing = false;     // a worker is handing members over
    std::mutex mutex;
    // Each worker takes the next unchecked member (a member object lives on
    // the worker that made it), checks and renders it, and marks it ready.
    // One worker at a time then hands over, outside the lock, every ready
    // member in input order; the others go straight back to checking.
    auto worker = [&] {
        for (std::size_t i = next++; i < total; i = next++) {
            produce(i);
            std::unique_lock<std::mutex> lock(mutex);
            slots[i].ready = true;
            ++done;
            if (progress) progress(done, total);
            if (writing) continue;
            writing = true;
            while (emitted < total && slots[emitted].ready) {
                std::size_t const k = emitted++;
                lock.unlock();
                hand(k);
                lock.lock();
            }
            writing = false;
        }
    };
    // The calling thread is one of the workers; when the system gives fewer
    // threads than asked, the members are shared among those it gives.
    RunWorkers(workers, worker);
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
