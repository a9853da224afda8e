// Checks many members on worker threads, results in input order.
#include <algorithm>
#include <atomic>
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
// The members of one CheckStream and the workers that check them. A worker
// takes a run of members at a time (one lock, and at most one wake-up, per
// run rather than per member) when the window has room, checks and renders
// them (a member object lives on the worker that made it) and marks them
// ready. One worker at a time then hands over, outside the lock, every ready
// member in input order; the others go back to checking. What was handed
// over is let go by the worker that made it, when it takes its next run
// (memory goes back to the thread that took it). The source, options and
// functions it is given are held by reference: they outlive the stream.
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
          m_run(RunLength(total, workers)),
          m_window(m_run * (2 * workers + 2)),
          m_slots(m_window),
          m_handed(workers) {}

    // A worker that fails stops them all (none may wait for a member that
    // will never be handed over); the failure is thrown once all are done.
    // `me`: the worker's number, below the number of workers.
    void Worker(std::size_t me) {
        try {
            Work(me);
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
    struct Made {
        BatchItem item;
        std::string text;
    };
    struct Slot {
        Made made;
        std::size_t maker = 0;  // the worker that made it
        bool ready = false;
    };

    // Members taken at a time: up to 16 (a member of a JSON run is some tens
    // of microseconds of work), fewer when runs of 16 would leave a worker
    // idle, or when the workers are many (the window, and the memory it
    // holds, stays near 128 members).
    static std::size_t RunLength(std::size_t total, std::size_t workers) {
        return std::clamp<std::size_t>(std::min(total / (8 * workers), 128 / (2 * workers + 2)), 1, 16);
    }

    void Produce(std::size_t i, MemberReader const& read, std::size_t me) {
        Slot& s = m_slots[i % m_window];
        s.maker = me;
        s.made.item = CheckOne(read, m_options);
        if (!m_render) return;
        s.made.text = m_render(i, s.made.item);
        // Rendered: the report lines are not needed any more.
        if (s.made.item.outcome)
            for (auto& c : s.made.item.outcome->cases) CaseReport().swap(c.report);
    }

    // Hands over every ready member in input order (called with the lock
    // held, by one worker at a time).
    void HandReady(std::unique_lock<std::mutex>& lock) {
        while (m_emitted < m_next && m_slots[m_emitted % m_window].ready) {
            std::size_t const first = m_emitted;
            std::size_t end = first;
            while (end < m_next && m_slots[end % m_window].ready) ++end;
            lock.unlock();
            if (m_emit)
                for (std::size_t k = first; k < end; ++k) m_emit(k, m_slots[k % m_window].made.item, m_slots[k % m_window].made.text);
            lock.lock();
            for (std::size_t k = first; k < end; ++k) {
                Slot& s = m_slots[k % m_window];
                m_handed[s.maker].push_back(std::move(s.made));
                s.made = Made{};
                s.ready = false;
            }
            m_emitted = end;
            m_room.notify_all();
        }
    }

    void Work(std::size_t me) {
        std::vector<MemberReader> reads;
        std::vector<Made> handed;
        std::unique_lock<std::mutex> lock(m_mutex);
        for (bool last = false; !last;) {
            m_room.wait(lock, [&] { return m_exhausted || m_next + m_run <= m_emitted + m_window; });
            if (m_exhausted) return;
            while (reads.size() < m_run) {
                reads.push_back(m_source());
                if (reads.back()) continue;
                reads.pop_back();
                m_exhausted = last = true;
                m_room.notify_all();
                break;
            }
            std::size_t const first = m_next, n = reads.size();
            m_next += n;
            handed.swap(m_handed[me]);
            lock.unlock();
            handed.clear();  // made by this worker: let go here
            for (std::size_t k = 0; k < n; ++k) {
                Produce(first + k, reads[k], me);
                reads[k] = nullptr;
            }
            reads.clear();
            lock.lock();
            for (std::size_t k = first; k < first + n; ++k) {
                m_slots[k % m_window].ready = true;
                ++m_done;
                if (m_progress) m_progress(m_done, std::max(m_total, m_done));
            }
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
    std::size_t const m_run;
    // Members checked ahead of the one next to be emitted: a slow member
    // holds back the others, not memory.
    std::size_t const m_window;
    std::vector<Slot> m_slots;
    std::vector<std::vector<Made>> m_handed;  // per worker: what it made and was handed over
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
    std::atomic<std::size_t> next{0};
    RunWorkers(workers, [&stream, &next] { stream.Worker(next++); });
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
