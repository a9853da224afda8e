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
    } catch (InputError const& e) { item.error = e.what(); } catch (std::exception const& e) {
        item.error = where + ": the check failed: " + e.what();
    }
    return item;
}
// The members of one CheckStream and the workers that check them. Each
// worker takes the next member (a member object lives on the worker that
// made it) when the window has room, checks and renders it, and marks it
// ready. One worker at a time then hands over, outside the lock, every ready
// member in input order; the others go back to checking. The source, options
// and functions it is given are held by reference: they outlive the stream.
class Stream {
public:
    using Render = std::function<std::string(std::size_t, BatchItem const&)>;
    using Emit = std::function<void(std::size_t, BatchItem const&, std::string const&)>;
    using Progress = std::function<void(std::size_t, std::size_t)>;

    Stream(MemberSource const& source, std::size_t total, RunOptions const& options, std::size_t workers,
           Render const& render, Emit const& emit, Progress const& progress)
        : m_source(source),
          m_total(total),
          m_options(options),
          m_render(render),
          m_emit(emit),
          m_progress(progress),
          m_window(4 * workers + 4),
          m_slots(m_window) {}

    // A worker that fails stops them all (none may wait for a member that
    // will never be handed over); the failure is thrown once all are done.
    void Worker() {
        try {
            Work();
        } catch (...) {
            std::lock_guard<std::mutex> const lock(m_mutex);
            if (!m_failure) m_failure = std::current_exception();
            m_exhausted = true;
            m_room.notify_all();
        }
    }

    void RethrowFailure() const {
        if (m_failure) std::rethrow_exception(m_failure);
    }

private:
    struct Slot {
        BatchItem item;
        std::string text;
        bool ready = false;
    };

    void Produce(std::size_t i, MemberReader const& read) {
        Slot& s = m_slots[i % m_window];
        s.item = CheckOne(read, m_options);
        if (!m_render) return;
        s.text = m_render(i, s.item);
        // Rendered: the report lines are not needed any more, and are let
        // go here, on the worker, rather than by whoever hands it over.
        if (s.item.outcome)
            for (auto& c : s.item.outcome->cases) std::vector<ReportLine>().swap(c.report);
    }

    void Hand(std::size_t i) {
        Slot& s = m_slots[i % m_window];
        if (m_emit) m_emit(i, s.item, s.text);
        s.item = BatchItem{};  // emitted: its memory goes back
        std::string().swap(s.text);
    }

    // Hands over every ready member in input order (called with the lock
    // held, by one worker at a time).
    void HandReady(std::unique_lock<std::mutex>& lock) {
        while (m_emitted < m_next && m_slots[m_emitted % m_window].ready) {
            std::size_t const k = m_emitted;
            lock.unlock();
            Hand(k);
            lock.lock();
            m_slots[k % m_window].ready = false;
            ++m_emitted;
            m_room.notify_all();
        }
    }

    void Work() {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            m_room.wait(lock, [&] { return m_exhausted || m_next < m_emitted + m_window; });
            if (m_exhausted) return;
            MemberReader read = m_source();
            if (!read) {
                m_exhausted = true;
                m_room.notify_all();
                return;
            }
            std::size_t const i = m_next++;
            lock.unlock();
            Produce(i, read);
            read = nullptr;
            lock.lock();
            m_slots[i % m_window].ready = true;
            ++m_done;
            if (m_progress) m_progress(m_done, std::max(m_total, m_done));
            if (m_writing) continue;
            m_writing = true;
            HandReady(lock);
            m_writing = false;
        }
    }

    MemberSource const& m_source;
    std::size_t const m_total;
    RunOptions const& m_options;
    Render const& m_render;
    Emit const& m_emit;
    Progress const& m_progress;
    // Members checked ahead of the one next to be emitted: a slow member
    // holds back the others, not memory.
    std::size_t const m_window;
    std::vector<Slot> m_slots;
    std::size_t m_next = 0, m_done = 0;
    std::size_t m_emitted = 0;  // members before this one have been handed over
    bool m_writing = false;     // a worker is handing members over
    bool m_exhausted = false;   // the source gave its last member
    std::mutex m_mutex;
    std::condition_variable m_room;
    std::exception_ptr m_failure;  // the first exception of a worker (out of memory, no thread)
};
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
    std::size_t const workers =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(1, jobs)), std::max<std::size_t>(total, 1));
    Stream stream(source, total, options, workers, render, emit, progress);
    // The calling thread is one of the workers; when the system gives fewer
    // threads than asked, the members are shared among those it gives.
    RunWorkers(workers, [&stream] { stream.Worker(); });
    stream.RethrowFailure();
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
