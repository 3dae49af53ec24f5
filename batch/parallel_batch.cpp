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

// Records copied out of the reader, to be priced on another thread.
struct RowBatch {
    std::string text;                     // the fields' bytes, one after another
    std::vector<std::size_t> fieldEnds;   // where each field ends in text
    std::vector<std::size_t> recordEnds;  // how many fields the records up to each hold
    std::vector<unsigned char> plain;     // CsvReader::plain of each record

    void Add(const std::vector<std::string_view>& fields, bool plainRecord) {
        for (std::string_view field : fields) {
            text.append(field);
            fieldEnds.push_back(text.size());
        }
        recordEnds.push_back(fieldEnds.size());
        plain.push_back(plainRecord ? 1 : 0);
    }
};

struct PricedBatch {
    std::string out;
    BatchCounts counts;
};

PricedBatch PriceRows(const RowBatch& batch, const BatchPricer& pricer) {
    PricedBatch priced;
    std::vector<std::string_view> fields;
    std::size_t field = 0;
    std::size_t start = 0;
    for (std::size_t record = 0; record < batch.recordEnds.size(); ++record) {
        fields.clear();
        for (; field < batch.recordEnds[record]; ++field) {
            fields.emplace_back(batch.text.data() + start, batch.fieldEnds[field] - start);
            start = batch.fieldEnds[field];
        }
        pricer.PriceRow(fields, priced.out, priced.counts, batch.plain[record] != 0);
    }
    return priced;
}

// Prices `batch` on a thread of its own, with a copy of `pricer`.
std::future<PricedBatch> Start(const std::shared_ptr<const RowBatch>& batch,
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
        auto batch = std::make_shared<RowBatch>();
        while (batch->recordEnds.size() < recordsPerBatch && (more = reader.Next(fields))) {
            batch->Add(fields, reader.Plain());
        }
        if (batch->recordEnds.empty()) {
            break;
        }
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
