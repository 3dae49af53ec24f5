#include "batch/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <random>

namespace volantra {
namespace {

// The temporary file of the run, removed also when a signal ends the run.
const char* volatile pendingTemporary = nullptr;

extern "C" void RemovePendingAndStop(int signal) {
    if (const char* path = pendingTemporary) {
        ::unlink(path);
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void RemoveOnSignals(const char* path) {
    pendingTemporary = path;
    if (path != nullptr) {
        for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
            std::signal(signal, RemovePendingAndStop);
        }
    }
}

// Creates a file of a name of its own beside `path`, ".NAME.XXXXXXXX", with the
// permissions a new file gets. The kernel applies the umask here, which a program with
// threads could not read without changing it for a moment.
int CreateBeside(const std::string& path, std::string& temporary) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::string stem = path.substr(0, nameStart) + "." + path.substr(nameStart) + ".";
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::array<char, 9> suffix{};
        std::snprintf(suffix.data(), suffix.size(), "%08x", random());
        temporary = stem + suffix.data();
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;  // errno is EEXIST
}

}  // namespace

bool FdStreamBuf::WriteAll(const char* text, std::size_t size) {
    while (size > 0 && error_ == 0) {
        const ssize_t written = ::write(fd_, text, size);
        if (written < 0 && errno != EINTR) {
            error_ = errno;
        } else if (written > 0) {
            text += written;
            size -= static_cast<std::size_t>(written);
        }
    }
    return error_ == 0;
}

std::streamsize FdStreamBuf::xsputn(const char* text, std::streamsize size) {
    return WriteAll(text, static_cast<std::size_t>(size)) ? size : 0;
}

FdStreamBuf::int_type FdStreamBuf::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) {
        return traits_type::not_eof(c);
    }
    const char byte = traits_type::to_char_type(c);
    return WriteAll(&byte, 1) ? c : traits_type::eof();
}

bool OutputSink::Write(std::string_view text) {
    if (!failed_) {
        out_.write(text.data(), static_cast<std::streamsize>(text.size()));
        failed_ = !out_;
        error_ = failed_ ? errno : 0;  // the failed write's, before any other call
    }
    return !failed_;
}

std::string OutputSink::Reason() const {
    return error_ != 0 ? std::strerror(error_) : "the write failed";
}

ReplacingFile::~ReplacingFile() {
    if (onSignal_ == OnSignal::Remove) {
        RemoveOnSignals(nullptr);
    }
    if (fd_ >= 0) {
        ::close(fd_);
    }
    if (!temporary_.empty()) {
        std::remove(temporary_.c_str());
    }
}

bool ReplacingFile::Open(const std::string& path, std::string& error) {
    path_ = path;
    fd_ = CreateBeside(path, temporary_);
    if (fd_ < 0) {
        systemError_ = errno;
        temporary_.clear();
        error = "cannot write " + path + ": " + std::strerror(systemError_);
        return false;
    }
    if (onSignal_ == OnSignal::Remove) {
        RemoveOnSignals(temporary_.c_str());
    }
    // The permissions of the file replaced; a new file keeps those it was created with.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        ::fchmod(fd_, existing.st_mode & 07777);
    }
    buffer_.Attach(fd_);
    stream_.rdbuf(&buffer_);
    return true;
}

bool ReplacingFile::Commit(std::string& error) {
    const bool saved = ::fsync(fd_) == 0;
    const int fsyncError = errno;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!saved || !closed || std::rename(temporary_.c_str(), path_.c_str()) != 0) {
        systemError_ = saved ? errno : fsyncError;
        error = "cannot write " + path_ + ": " + std::strerror(systemError_);
        return false;
    }
    if (onSignal_ == OnSignal::Remove) {
        RemoveOnSignals(nullptr);
    }
    temporary_.clear();
    return true;
}

}  // namespace volantra
