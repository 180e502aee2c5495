#include "platform/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

FileResult Failure(const std::string& path, const char* action, int error) {
    return {path + ": cannot " + action + ": " + std::strerror(error)};
}

// Closes the descriptor on every path out of a function.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int Release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

FileResult ReadAllBytes(const std::string& path, std::string& bytes) {
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return Failure(path, "read", errno);
    bytes.clear();
    char buffer[8192];
    for (;;) {
        ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return Failure(path, "read", errno);
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return {};
}

}  // namespace

FileResult AppendCreate(const std::string& path) {
    Descriptor fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
    if (fd.get() < 0) return Failure(path, "create", errno);
    return {};
}

FileResult ByteLength(const std::string& path, std::uintmax_t& length) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) return Failure(path, "read", errno);
    if (S_ISDIR(info.st_mode)) return Failure(path, "read", EISDIR);
    length = static_cast<std::uintmax_t>(info.st_size);
    return {};
}

FileResult ReadAllLines(const std::string& path, std::vector<std::string>& lines) {
    std::string bytes;
    if (FileResult read = ReadAllBytes(path, bytes); !read.ok()) return read;
    lines.clear();
    std::string line;
    bool open = false;  // a line has begun that no line end closed yet
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char ch = bytes[i];
        if (ch == '\r' || ch == '\n') {
            lines.push_back(line);
            line.clear();
            open = false;
            if (ch == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            line.push_back(ch);
            open = true;
        }
    }
    if (open) lines.push_back(line);
    return {};
}

FileResult WriteAllLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }

    // Renaming over a file needs no write permission on the file itself, so ask first:
    // a read-only settings file must stay read-only and unchanged.
    struct stat old;
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists) {
        Descriptor probe(::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC));
        if (probe.get() < 0) return Failure(path, "write", errno);
    }

    const std::string temporary = path + ".tmp";
    Descriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (fd.get() < 0) return Failure(path, "write", errno);
    if (exists) ::fchmod(fd.get(), old.st_mode & 07777);
    if (!WriteAll(fd.get(), bytes) || ::fsync(fd.get()) != 0) {
        int error = errno;
        ::unlink(temporary.c_str());
        return Failure(path, "write", error);
    }
    if (::close(fd.Release()) != 0) {
        int error = errno;
        ::unlink(temporary.c_str());
        return Failure(path, "write", error);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        int error = errno;
        ::unlink(temporary.c_str());
        return Failure(path, "write", error);
    }
    return {};
}

FileResult CopyFile(const std::string& from, const std::string& to) {
    std::string bytes;
    if (FileResult read = ReadAllBytes(from, bytes); !read.ok()) return read;
    Descriptor fd(::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (fd.get() < 0) return Failure(to, "write", errno);
    if (!WriteAll(fd.get(), bytes)) return Failure(to, "write", errno);
    return {};
}
