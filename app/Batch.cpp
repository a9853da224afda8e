// Checks many members on worker threads, results in input order.
#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

#include "app/MemberRunner.h"
#include "app/Workers.h"

namespace s16app {

namespace {
BatchItem CheckOne(MemberReader const& read, RunOptions const& options) {
    BatchItem item;
    std::string where;
    try {
        MemberInput const input = read();
        where = Where(input, "");
        item.outcome = CheckMember(input, options);
    } catch (InputError const& e) {
        item.error = e.what();
    } catch (std::exception const& e) {
        item.error = where + ": the check failed: " + e.what();
    }
    return item;
}
}  // namespace

MemberSource ListSource(std::vector<MemberInput> const& members) {
    return [&members, next = std::size_t{0}]() mutable -> MemberReader {
        if (next == members.size()) return {};
        MemberInput const* m = &members[next++];
        return [m] { return *m; };
    };
}

void CheckStream(MemberSource const& source, std::size_t total, RunOptions const& options, int jobs,
                 std::function<std::string(std::size_t, BatchItem const&)> const& render,
                 std::function<void(std::size_t, BatchItem const&, std::string const&)> const& emit,
                 std::function<void(std::size_t, std::size_t)> const& progress) {
    struct Slot {
        BatchItem item;
        std::string text;
        bool ready = false;
    };
    std::size_t const workers = std::min<std::size_t>(static_cast<std::size_t>(std::max(1, jobs)), std::max<std::size_t>(total, 1));
    // Members checked ahead of the one next to be emitted: a slow member
    // holds back the others, not memory.
    std::size_t const window = 4 * workers + 4;
    std::vector<Slot> slots(window);
    auto produce = [&](std::size_t i, MemberReader const& read) {
        Slot& s = slots[i % window];
        s.item = CheckOne(read, options);
        if (!render) return;
        s.text = render(i, s.item);
        // Rendered: the report lines are not needed any more, and are let
        // go here, on the worker, rather than by whoever hands it over.
        if (s.item.outcome)
            for (auto& c : s.item.outcome->cases) std::vector<ReportLine>().swap(c.report);
    };
    auto hand = [&](std::size_t i) {
        Slot& s = slots[i % window];
        if (emit) emit(i, s.item, s.text);
        s.item = BatchItem{};  // emitted: its memory goes back
        std::string().swap(s.text);
    };

    std::size_t next = 0, done = 0;
    std::size_t emitted = 0;  // members before this one have been handed over
    bool writing = false;     // a worker is handing members over
    bool exhausted = false;   // the source gave its last member
    std::mutex mutex;
    std::condition_variable room;
    // Each worker takes the next member (a member object lives on the worker
    // that made it) when the window has room, checks and renders it, and
    // marks it ready. One worker at a time then hands over, outside the
    // lock, every ready member in input order; the others go back to
    // checking.
    std::exception_ptr failure;  // the first exception of a worker (out of memory, no thread)
    auto work = [&] {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            room.wait(lock, [&] { return exhausted || next < emitted + window; });
            if (exhausted) return;
            MemberReader read = source();
            if (!read) {
                exhausted = true;
                room.notify_all();
                return;
            }
            std::size_t const i = next++;
            lock.unlock();
            produce(i, read);
            read = nullptr;
            lock.lock();
            slots[i % window].ready = true;
            ++done;
            if (progress) progress(done, std::max(total, done));
            if (writing) continue;
            writing = true;
            while (emitted < next && slots[emitted % window].ready) {
                std::size_t const k = emitted;
                lock.unlock();
                hand(k);
                lock.lock();
                slots[k % window].ready = false;
                ++emitted;
                room.notify_all();
            }
            writing = false;
        }
    };
    // A worker that fails stops them all (none may wait for a member that
    // will never be handed over); the failure is thrown once all are done.
    auto worker = [&] {
        try {
            work();
        } catch (...) {
            std::lock_guard<std::mutex> const lock(mutex);
            if (!failure) failure = std::current_exception();
            exhausted = true;
            room.notify_all();
        }
    };
    // The calling thread is one of the workers; when the system gives fewer
    // threads than asked, the members are shared among those it gives.
    RunWorkers(workers, worker);
    if (failure) std::rethrow_exception(failure);
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
