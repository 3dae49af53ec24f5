#include "batch/parallel_batch.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace volantra {
namespace {

// A batch of records on its way: read, priced on a worker, then written in its turn.
// Its storage is reused batch after batch, so no page is touched afresh.
struct Job {
    RecordBatch records;
    std::string out;  // the priced lines
    BatchCounts counts;
    bool inFlight = false;  // given to the workers and not yet written; the reader's own
    bool priced = false;    // guarded by the workers' mutex
};

// Threads that price the jobs given to them in turn, each with its own copy of the pricer.
class Workers {
public:
    Workers(const BatchPricer& pricer, unsigned count) {
        try {
            for (unsigned i = 0; i < count; ++i) {
                threads_.emplace_back([this, pricer] { Work(pricer); });
            }
        } catch (const std::system_error& e) {
            Stop();
            throw std::runtime_error(std::string("cannot start a thread: ") + e.what());
        }
    }
    Workers(const Workers&) = delete;
    Workers& operator=(const Workers&) = delete;
    ~Workers() { Stop(); }

    /// Queues `job` for pricing.
    void Give(Job& job) {
        {
            const std::lock_guard lock(mutex_);
            job.priced = false;
            queue_.push_back(&job);
        }
        ready_.notify_one();
    }

    /// Waits until `job` is priced; rethrows what stopped a worker.
    void Await(const Job& job) {
        std::unique_lock lock(mutex_);
        done_.wait(lock, [&] { return job.priced || failure_; });
        if (failure_) {
            std::rethrow_exception(failure_);
        }
    }

private:
    void Work(const BatchPricer& pricer) {
        for (Job* job = Take(); job != nullptr; job = Take()) {
            try {
                job->out.clear();
                job->counts = {};
                pricer.PriceRecords(job->records, job->out, job->counts);
            } catch (...) {
                const std::lock_guard lock(mutex_);
                failure_ = std::current_exception();
                done_.notify_all();
                return;
            }
            {
                const std::lock_guard lock(mutex_);
                job->priced = true;
            }
            done_.notify_all();
        }
    }

    // The next job, or none once stopped.
    Job* Take() {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return stop_ || !queue_.empty(); });
        if (stop_) {
            return nullptr;
        }
        Job* job = queue_.front();
        queue_.pop_front();
        return job;
    }

    // Jobs still queued are dropped: they are only left when the run stops early.
    void Stop() {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
            queue_.clear();
        }
        ready_.notify_all();
        for (std::thread& thread : threads_) {
            thread.join();
        }
        threads_.clear();
    }

    std::mutex mutex_;
    std::condition_variable ready_;  // a job was queued, or the workers stop
    std::condition_variable done_;   // a job was priced, or a worker failed
    std::deque<Job*> queue_;
    bool stop_ = false;
    std::exception_ptr failure_;
    std::vector<std::thread> threads_;
};

}  // namespace

// Reads batches of records into a ring of jobs, which the workers price while the next
// are read, and writes them in the input's order; memory stays bounded by the ring
// however long the input.
void PriceInParallel(CsvReader& reader, const BatchPricer& pricer, unsigned jobs, OutputSink& out,
                     BatchCounts& counts) {
    // A batch of about 4096 output lines, at least one record.
    const std::size_t recordsPerJob = std::max<std::size_t>(1, 4096 / pricer.LinesPerRow());
    std::vector<Job> ring(2 * static_cast<std::size_t>(jobs));
    Workers workers(pricer, jobs);
    const auto write = [&](Job& job) {
        workers.Await(job);
        job.inFlight = false;
        out.Write(job.out);  // once a write failed, the sink writes nothing more
        counts.Add(job.counts);
    };
    std::vector<std::string_view> fields;
    std::size_t next = 0;
    for (bool more = true; more && !out.Failed(); ++next) {
        Job& job = ring[next % ring.size()];
        if (job.inFlight) {
            write(job);
        }
        job.records.Clear();
        while (job.records.Size() < recordsPerJob && (more = reader.Next(fields))) {
            job.records.Add(fields, reader.Plain());
        }
        if (job.records.Size() == 0) {
            break;
        }
        job.inFlight = true;
        workers.Give(job);
    }
    for (std::size_t k = 0; k < ring.size(); ++k) {
        Job& job = ring[(next + k) % ring.size()];
        if (job.inFlight) {
            write(job);
        }
    }
}

}  // namespace volantra
