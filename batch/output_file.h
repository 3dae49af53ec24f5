#pragma once

#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace volantra {

/// Writes straight to a file descriptor, unbuffered, so that a failed write is seen at
/// once with the system's reason (Error).
class FdStreamBuf : public std::streambuf {
public:
    explicit FdStreamBuf(int fd) : fd_(fd) {}
    /// Writes to `fd` from now on.
    void Attach(int fd) { fd_ = fd; }
    /// The system's error number of the first failed write; 0 while none failed.
    [[nodiscard]] int Error() const { return error_; }

protected:
    std::streamsize xsputn(const char* text, std::streamsize size) override;
    int_type overflow(int_type c) override;

private:
    bool WriteAll(const char* text, std::size_t size);

    int fd_;
    int error_ = 0;
};

/// Writes text to a stream until a write fails, keeping the system's reason.
class OutputSink {
public:
    explicit OutputSink(std::ostream& out) : out_(out) {}
    /// Writes `text`; false when this or an earlier write failed.
    bool Write(std::string_view text);
    /// True when a write failed.
    [[nodiscard]] bool Failed() const { return failed_; }
    /// The reason a write failed, as the system words it.
    [[nodiscard]] std::string Reason() const;
    /// The system's error number of the failed write; 0 when it gave none.
    [[nodiscard]] int Error() const { return error_; }

private:
    std::ostream& out_;
    bool failed_ = false;
    int error_ = 0;
};

/// What becomes of the temporary file when a signal ends the program.
enum class OnSignal {
    Remove,  ///< removed on SIGINT, SIGTERM or SIGHUP; one such file at a time
    Leave,   ///< no signal handler is set, for programs that handle signals themselves
};

/// A file written under a temporary name in its folder and renamed over its own name
/// only on Commit, so a failed run leaves an existing file as it was; the temporary file
/// is removed when the object goes without a Commit.
class ReplacingFile {
public:
    explicit ReplacingFile(OnSignal onSignal = OnSignal::Remove) : onSignal_(onSignal) {}
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;
    ~ReplacingFile();

    /// Creates the temporary file beside `path`; false, with `error` set, when it cannot.
    bool Open(const std::string& path, std::string& error);
    /// The stream writing the temporary file.
    std::ostream& Stream() { return stream_; }
    /// Saves the temporary file and renames it to the path; false, with `error` set,
    /// when that fails.
    bool Commit(std::string& error);
    /// The system's error number of a failed Open or Commit.
    [[nodiscard]] int Error() const { return systemError_; }

private:
    OnSignal onSignal_;
    std::string path_;
    std::string temporary_;
    int systemError_ = 0;
    int fd_ = -1;
    FdStreamBuf buffer_{-1};
    std::ostream stream_{nullptr};
};

}  // namespace volantra
