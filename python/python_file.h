#pragma once

#include <pybind11/pybind11.h>

#include <optional>
#include <streambuf>
#include <vector>

namespace volantra {

/// Reads a Python binary file object, a block at a time, taking the interpreter's lock
/// only around each call of its readinto (or read); used without the lock otherwise.
class PythonReader : public std::streambuf {
public:
    /// Keeps `file`; made with the lock held.
    explicit PythonReader(const pybind11::object& file);
    /// The exception the file object raised, if it raised one; the reading stopped there.
    std::optional<pybind11::error_already_set>& Raised() { return raised_; }

protected:
    int_type underflow() override;

private:
    std::size_t ReadBlock();

    pybind11::object readInto_;  // None when the object has only read
    pybind11::object read_;
    pybind11::bytearray into_;  // what readinto fills
    std::vector<char> block_;
    std::optional<pybind11::error_already_set> raised_;
};

/// Writes a Python binary file object, taking the interpreter's lock only around each
/// call of its write; each call writes a block the batch run hands over whole.
class PythonWriter : public std::streambuf {
public:
    /// Keeps `file`; made with the lock held.
    explicit PythonWriter(const pybind11::object& file) : write_(file.attr("write")) {}
    /// The exception the file object raised, if it raised one; the writing stopped there.
    std::optional<pybind11::error_already_set>& Raised() { return raised_; }

protected:
    std::streamsize xsputn(const char* text, std::streamsize size) override;
    int_type overflow(int_type c) override;

private:
    pybind11::object write_;
    std::optional<pybind11::error_already_set> raised_;
};

}  // namespace volantra
