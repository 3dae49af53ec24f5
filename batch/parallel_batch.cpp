#include "batch/parallel_batch.h"

#include <algorithm>
#include <deque>
#include <future>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace volantra {
namespace {

struct PricedBatch {
    std::string out;
    BatchCounts counts;
};

PricedBatch PriceRows(const RecordBatch& batch, const BatchPricer& pricer) {
    PricedBatch priced;
    pricer.PriceRecords(batch, priced.out, priced.counts);
    return priced;
}

// Prices `batch` on a thread of its own, with a copy of `pricer`.
std::future<PricedBatch> Start(const std::shared_ptr<const RecordBatch>& batch,
                               const BatchPricer& pricer) {
    try {
        return std::async(std::launch::async,
                          [batch, pricer] { return PriceRows(*batch, pricer); });
    } catch (const std::system_error& e) {
        throw std::runtime_error(std::string("cannot start a thread: ") + e.what());
    }
}

}  // namespace

// Reads batches of records and prices each on a thread of its own, a copy of `pricer`
// for each, and writes them in the input's order; at most jobs + 1 batches are in
// flight, so memory stays bounded however long the input.
void PriceInParallel(CsvReader& reader, const BatchPricer& pricer, unsigned jobs, OutputSink& out,
                     BatchCounts& counts) {
    // A batch of about 4096 output lines, at least one record.
    const std::size_t recordsPerBatch = std::max<std::size_t>(1, 4096 / pricer.LinesPerRow());
    std::deque<std::future<PricedBatch>> inFlight;
    const auto writeOldest = [&] {
        const PricedBatch priced = inFlight.front().get();
        inFlight.pop_front();
        out.Write(priced.out);
        counts.Add(priced.counts);
    };
    std::vector<std::string_view> fields;
    bool more = true;
    while (more && !out.Failed()) {
        auto batch = std::make_shared<RecordBatch>();
        while (batch->Size() < recordsPerBatch && (more = reader.Next(fields))) {
            batch->Add(fields, reader.Plain());
        }
        if (batch->Size() == 0) {
            break;
        }
        batch->Seal();
        if (inFlight.size() > jobs) {
            writeOldest();
        }
        inFlight.push_back(Start(batch, pricer));
    }
    while (!inFlight.empty()) {
        writeOldest();  // once a write failed, the sink writes nothing more
    }
}

}  // namespace volantra
