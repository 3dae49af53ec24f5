// A whole batch run: the header, the rows in turn or in parallel, and what ends it.
#include "batch/batch_run.h"

#include <cstring>
#include <istream>
#include <ostream>

#include "batch/csv.h"
#include "batch/output_file.h"
#include "batch/parallel_batch.h"
#include "batch/record_batch.h"

namespace volantra {
namespace {

// Rows are written in blocks of about this size.
constexpr std::size_t FLUSH_SIZE = 1 << 16;
constexpr std::size_t RECORDS_AT_ONCE = 256;

std::string ReadReason(const CsvReader& reader) {
    return reader.Error() != 0 ? std::strerror(reader.Error()) : "the read failed";
}

BatchResult Stopped(BatchFailure failure, std::string problem, int error = 0) {
    BatchResult result;
    result.status = BatchStatus::UnusableInput;
    result.failure = failure;
    result.problem = std::move(problem);
    result.error = error;
    return result;
}

// Why the input has no usable header line.
BatchResult NoHeader(const CsvReader& reader, const BatchOptions& options) {
    if (reader.Failed()) {
        return Stopped(BatchFailure::Read,
                       "cannot read " + options.inputName + ": " + ReadReason(reader),
                       reader.Error());
    }
    if (reader.UnclosedQuoteLine() != 0) {
        return Stopped(BatchFailure::Refused, "the quote opened on line " +
                                                  std::to_string(reader.UnclosedQuoteLine()) +
                                                  " is never closed");
    }
    return Stopped(BatchFailure::Refused, "the input is empty: a header row is needed");
}

// Records are copied out of the reader a few hundred at a time, so that their rows can be
// valued a block at a time.
void PriceInTurn(CsvReader& reader, const BatchPricer& pricer, std::string& buffer, OutputSink& out,
                 BatchCounts& counts) {
    RecordBatch batch;
    std::vector<std::string_view> fields;
    bool more = true;
    while (more && !out.Failed()) {
        batch.Clear();
        while (batch.Size() < RECORDS_AT_ONCE && (more = reader.Next(fields))) {
            batch.Add(fields, reader.Plain());
        }
        pricer.PriceRecords(batch, buffer, counts);
        if (buffer.size() >= FLUSH_SIZE) {
            out.Write(buffer);
            buffer.clear();
        }
    }
    out.Write(buffer);
}

// How the run ended once the rows are written, with the reason when it is a failure.
BatchResult Ending(const CsvReader& reader, const OutputSink& out, const BatchCounts& counts,
                   const BatchOptions& options) {
    BatchResult result;
    if (out.Failed()) {
        result = Stopped(BatchFailure::Write,
                         "cannot write " + options.outputName + ": " + out.Reason(), out.Error());
    } else if (reader.UnclosedQuoteLine() != 0) {
        result = Stopped(BatchFailure::Refused,
                         "the quote opened on line " + std::to_string(reader.UnclosedQuoteLine()) +
                             " is never closed; the rows before it are written");
    } else if (reader.Failed()) {
        result = Stopped(BatchFailure::Read,
                         "reading " + options.inputName + " stopped at line " +
                             std::to_string(reader.Line()) + ": " + ReadReason(reader),
                         reader.Error());
    } else {
        result.status = counts.allValued ? BatchStatus::AllValued : BatchStatus::SomeNotValued;
    }
    result.counts = counts;
    return result;
}

}  // namespace

BatchResult RunBatch(std::istream& in, std::ostream& out, const BatchOptions& options) {
    CsvReader reader(in, options.delimiter);
    std::vector<std::string_view> fields;
    if (!reader.Next(fields)) {
        return NoHeader(reader, options);
    }
    BatchPricer pricer(options, reader.Delimiter());
    std::string error;
    if (!pricer.ReadHeader(fields, error)) {
        return Stopped(BatchFailure::Refused, error);
    }
    std::string buffer;
    buffer.reserve(2 * FLUSH_SIZE);
    pricer.AppendHeader(buffer);
    OutputSink sink(out);
    BatchCounts counts;
    if (options.jobs > 1) {
        sink.Write(buffer);
        PriceInParallel(reader, pricer, options.jobs, sink, counts);
    } else {
        PriceInTurn(reader, pricer, buffer, sink, counts);
    }
    if (!sink.Failed()) {
        out.flush();
        sink.Write({});  // a failed flush shows as a failed write
    }
    return Ending(reader, sink, counts, options);
}

BatchStatus PriceBatch(std::istream& in, std::ostream& out, std::ostream& err,
                       const BatchOptions& options) {
    const BatchResult result = RunBatch(in, out, options);
    if (!result.problem.empty()) {
        err << "volantra-price: " << result.problem << '\n';
    }
    return result.status;
}

}  // namespace volantra
