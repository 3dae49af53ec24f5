// A whole batch run: the header, the rows in turn or in parallel, and what ends it.
#include <cstring>
#include <istream>
#include <ostream>

#include "batch/batch_pricer.h"
#include "batch/csv.h"
#include "batch/output_file.h"
#include "batch/parallel_batch.h"

namespace volantra {
namespace {

// Rows are written in blocks of about this size.
constexpr std::size_t FLUSH_SIZE = 1 << 16;

std::string ReadReason(const CsvReader& reader) {
    return reader.Error() != 0 ? std::strerror(reader.Error()) : "the read failed";
}

// Why the input has no usable header line.
std::string NoHeader(const CsvReader& reader, const BatchOptions& options) {
    if (reader.Failed()) {
        return "cannot read " + options.inputName + ": " + ReadReason(reader);
    }
    if (reader.UnclosedQuoteLine() != 0) {
        return "the quote opened on line " + std::to_string(reader.UnclosedQuoteLine()) +
               " is never closed";
    }
    return "the input is empty: a header row is needed";
}

bool PriceInTurn(CsvReader& reader, const BatchPricer& pricer, std::string& buffer,
                 OutputSink& out) {
    std::vector<std::string_view> fields;
    bool allValued = true;
    while (!out.Failed() && reader.Next(fields)) {
        allValued &= pricer.PriceRow(fields, buffer, reader.Plain());
        if (buffer.size() >= FLUSH_SIZE) {
            out.Write(buffer);
            buffer.clear();
        }
    }
    out.Write(buffer);
    return allValued;
}

// The status once the rows are written, with the reason when it is a failure.
BatchStatus Ending(const CsvReader& reader, const OutputSink& out, bool allValued,
                   const BatchOptions& options, std::ostream& err) {
    if (out.Failed()) {
        err << "volantra-price: cannot write " << options.outputName << ": " << out.Reason()
            << '\n';
        return BatchStatus::UnusableInput;
    }
    if (reader.UnclosedQuoteLine() != 0) {
        err << "volantra-price: the quote opened on line " << reader.UnclosedQuoteLine()
            << " is never closed; the rows before it are written\n";
        return BatchStatus::UnusableInput;
    }
    if (reader.Failed()) {
        err << "volantra-price: reading " << options.inputName << " stopped at line "
            << reader.Line() << ": " << ReadReason(reader) << '\n';
        return BatchStatus::UnusableInput;
    }
    return allValued ? BatchStatus::AllValued : BatchStatus::SomeNotValued;
}

}  // namespace

BatchStatus PriceBatch(std::istream& in, std::ostream& out, std::ostream& err,
                       const BatchOptions& options) {
    CsvReader reader(in, options.delimiter);
    std::vector<std::string_view> fields;
    if (!reader.Next(fields)) {
        err << "volantra-price: " << NoHeader(reader, options) << '\n';
        return BatchStatus::UnusableInput;
    }
    BatchPricer pricer(options, reader.Delimiter());
    std::string error;
    if (!pricer.ReadHeader(fields, error)) {
        err << "volantra-price: " << error << '\n';
        return BatchStatus::UnusableInput;
    }
    std::string buffer;
    buffer.reserve(2 * FLUSH_SIZE);
    pricer.AppendHeader(buffer);
    OutputSink sink(out);
    bool allValued = true;
    if (options.jobs > 1) {
        sink.Write(buffer);
        allValued = PriceInParallel(reader, pricer, options.jobs, sink);
    } else {
        allValued = PriceInTurn(reader, pricer, buffer, sink);
    }
    if (!sink.Failed()) {
        out.flush();
        sink.Write({});  // a failed flush shows as a failed write
    }
    return Ending(reader, sink, allValued, options, err);
}

}  // namespace volantra
