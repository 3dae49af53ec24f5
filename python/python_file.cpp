// Python file objects as C++ stream buffers, for price_csv. An exception the object
// raises is kept to be raised again once the run is over, and the stream sees a failure
// (a stream buffer that throws leaves its stream bad).
#include "python/python_file.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>

namespace py = pybind11;

namespace volantra {
namespace {

// Blocks as large as the batch run reads and writes.
constexpr std::size_t BLOCK = 1 << 16;

// Thrown to the stream after the Python exception is kept.
struct PythonRaised : std::runtime_error {
    PythonRaised() : std::runtime_error("the Python file object raised an exception") {}
};

// The count a readinto or write call returned; None stands for `none`.
std::size_t Count(const py::object& returned, std::size_t none) {
    return returned.is_none() ? none : returned.cast<std::size_t>();
}

// Calls `call` with the lock held. A Python exception it raises is kept in `raised`,
// and the stream gets PythonRaised instead.
template <typename Call>
auto WithLock(std::optional<py::error_already_set>& raised, Call call) {
    const py::gil_scoped_acquire locked;
    try {
        return call();
    } catch (py::error_already_set& error) {
        raised.emplace(std::move(error));
    } catch (py::builtin_exception& error) {
        error.set_error();
        raised.emplace();  // fetches the error just set
    }
    throw PythonRaised();
}

}  // namespace

PythonReader::PythonReader(const py::object& file)
    : readInto_(py::getattr(file, "readinto", py::none())),
      read_(py::getattr(file, "read", py::none())),
      into_(static_cast<const char*>(nullptr), BLOCK),
      block_(BLOCK) {}

std::size_t PythonReader::ReadBlock() {
    return WithLock(raised_, [this]() -> std::size_t {
        if (!readInto_.is_none()) {
            // Into an array of Python's own, which the object may keep or show in a
            // traceback, then copied.
            const py::object got = readInto_(into_);
            if (got.is_none()) {
                throw py::value_error("the source gave no bytes without being at its end");
            }
            const auto held = static_cast<std::size_t>(PyByteArray_GET_SIZE(into_.ptr()));
            const std::size_t size = std::min({Count(got, 0), held, BLOCK});
            std::copy_n(PyByteArray_AS_STRING(into_.ptr()), size, block_.data());
            return size;
        }
        const py::object got = read_(BLOCK);
        if (!py::isinstance<py::bytes>(got)) {
            throw py::type_error("the source's read() gave no bytes: open it in binary mode");
        }
        const auto bytes = got.cast<std::string_view>();
        const std::size_t size = std::min(bytes.size(), BLOCK);
        std::copy_n(bytes.data(), size, block_.data());
        return size;
    });
}

PythonReader::int_type PythonReader::underflow() {
    if (gptr() == egptr()) {
        const std::size_t size = ReadBlock();
        setg(block_.data(), block_.data(), block_.data() + size);
    }
    return gptr() == egptr() ? traits_type::eof() : traits_type::to_int_type(*gptr());
}

std::streamsize PythonWriter::xsputn(const char* text, std::streamsize size) {
    return WithLock(raised_, [&]() -> std::streamsize {
        // Bytes of their own, since a file object may keep what it is given.
        for (std::size_t done = 0, left = static_cast<std::size_t>(size); left > 0;) {
            const std::size_t written = Count(write_(py::bytes(text + done, left)), left);
            if (written == 0 || written > left) {
                throw py::value_error("the target's write() wrote " + std::to_string(written) +
                                      " of " + std::to_string(left) + " bytes");
            }
            done += written;
            left -= written;
        }
        return size;
    });
}

PythonWriter::int_type PythonWriter::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) {
        return traits_type::not_eof(c);
    }
    const char byte = traits_type::to_char_type(c);
    return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
}

}  // namespace volantra
