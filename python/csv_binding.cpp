// price_csv: the one place where the module reads and writes CSV. It runs the batch
// layer's streaming pricer between paths or Python file objects, as volantra-price runs
// it between files, with the interpreter's lock released except around the calls of a
// file object.
#include "python/csv_binding.h"

#include <pybind11/stl.h>

#include <cerrno>
#include <fstream>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "batch/batch_run.h"
#include "batch/option_values.h"
#include "batch/output_file.h"
#include "python/python_file.h"

namespace py = pybind11;

namespace volantra {
namespace {

using OptionTexts = std::vector<std::pair<std::string, std::string>>;

// The options as the command line reads them; ValueError in its words when unusable.
BatchOptions ReadOptions(const OptionTexts& texts, bool full) {
    BatchOptions options;
    options.full = full;
    std::string problem;
    for (const auto& [name, value] : texts) {
        if (!ReadOptionValue(name, value, options, problem)) {
            throw py::value_error(problem);
        }
    }
    if (!CheckOptions(options, problem)) {
        throw py::value_error(problem);
    }
    return options;
}

// The path of a source or target given as bytes (os.fsencode); none for a file object.
std::optional<std::string> PathOf(const py::object& given) {
    if (py::isinstance<py::bytes>(given)) {
        return given.cast<std::string>();
    }
    return std::nullopt;
}

// Raises OSError for the system's error number `error` on `path`, as Python's own file
// functions do, or with `problem` when there is no number or no path.
[[noreturn]] void RaiseOsError(int error, const std::optional<std::string>& path,
                               const std::string& problem) {
    if (error == 0 || !path) {
        PyErr_SetString(PyExc_OSError, problem.c_str());
    } else {
        const py::object name = py::reinterpret_steal<py::object>(
            PyUnicode_DecodeFSDefaultAndSize(path->data(), static_cast<py::ssize_t>(path->size())));
        errno = error;
        PyErr_SetFromErrnoWithFilenameObject(PyExc_OSError, name.ptr());
    }
    throw py::error_already_set();
}

// One run from a source to a target: opened, run and committed without the lock, then
// what went wrong raised with it.
class CsvRun {
public:
    // With the lock held: a file object's stream buffer is made here.
    CsvRun(const py::object& source, const py::object& target, BatchOptions options)
        : sourcePath_(PathOf(source)), targetPath_(PathOf(target)), options_(std::move(options)) {
        if (!sourcePath_) {
            reader_ = std::make_unique<PythonReader>(source);
        }
        if (!targetPath_) {
            writer_ = std::make_unique<PythonWriter>(target);
        }
        options_.inputName = sourcePath_.value_or("the source");
        options_.outputName = targetPath_.value_or("the target");
    }

    // Without the lock, but for the calls of a file object.
    void Run() {
        std::ifstream file;
        if (sourcePath_) {
            file.open(*sourcePath_, std::ios::binary);
            if (!file) {
                Fail(errno, *sourcePath_, "cannot open " + *sourcePath_);
                return;
            }
        }
        std::string error;
        if (targetPath_ && !output_.Open(*targetPath_, error)) {
            Fail(output_.Error(), *targetPath_, error);
            return;
        }
        std::istream pythonIn(reader_.get());
        std::ostream pythonOut(writer_.get());
        result_ = RunBatch(sourcePath_ ? static_cast<std::istream&>(file) : pythonIn,
                           targetPath_ ? output_.Stream() : pythonOut, options_);
        if (targetPath_ && result_.status != BatchStatus::UnusableInput && !output_.Commit(error)) {
            Fail(output_.Error(), *targetPath_, error);
        }
    }

    // With the lock held: the counts, or the exception of what went wrong.
    py::tuple Finish() {
        for (auto* raised :
             {reader_ ? &reader_->Raised() : nullptr, writer_ ? &writer_->Raised() : nullptr}) {
            if (raised != nullptr && raised->has_value()) {
                throw std::move(**raised);
            }
        }
        if (failedPath_) {
            RaiseOsError(failedError_, failedPath_, failure_);
        }
        switch (result_.failure) {
            case BatchFailure::Refused:
                throw py::value_error(result_.problem);
            case BatchFailure::Read:
                RaiseOsError(result_.error, sourcePath_, result_.problem);
            case BatchFailure::Write:
                RaiseOsError(result_.error, targetPath_, result_.problem);
            case BatchFailure::None:
                break;
        }
        const BatchCounts& counts = result_.counts;
        return py::make_tuple(counts.rowsRead, counts.linesValued, counts.linesWithMessage);
    }

private:
    void Fail(int error, const std::string& path, std::string problem) {
        failedError_ = error;
        failedPath_ = path;
        failure_ = std::move(problem);
    }

    std::optional<std::string> sourcePath_;
    std::optional<std::string> targetPath_;
    BatchOptions options_;
    std::unique_ptr<PythonReader> reader_;
    std::unique_ptr<PythonWriter> writer_;
    ReplacingFile output_{OnSignal::Leave};  // signals are the interpreter's
    BatchResult result_;
    int failedError_ = 0;
    std::optional<std::string> failedPath_;
    std::string failure_;
};

py::tuple PriceCsv(const py::object& source, const py::object& target, const OptionTexts& texts,
                   bool full) {
    CsvRun run(source, target, ReadOptions(texts, full));
    {
        const py::gil_scoped_release unlocked;
        run.Run();
    }
    return run.Finish();
}

}  // namespace

void BindPriceCsv(py::module_& module) {
    module.def("price_csv", &PriceCsv, py::arg("source"), py::arg("target"), py::arg("options"),
               py::arg("full"),
               "Prices a CSV file as volantra-price does: source and target are paths as bytes "
               "or binary file objects, options (name, value) pairs of the command line's "
               "options with a value. Gives (rows read, rows valued, rows with a message).");
}

}  // namespace volantra
