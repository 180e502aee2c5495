#include "platform/TextFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <random>

#include "core/FileDescriptor.h"

namespace {

constexpr int kMaxLinkHops = 40;
constexpr std::size_t kRandomDigits = 8;
constexpr std::string_view kTemporaryEnd = ".tmp";

FileResult Failure(const std::string& path, const char* action, int error) {
    return FileProblem(path, std::string("cannot ") + action + ": " + std::strerror(error));
}

FileResult NotRegular(const std::string& path, const char* action) {
    return FileProblem(path, std::string("cannot ") + action + ": not a regular file");
}

FileResult TooLarge(const std::string& path, std::uintmax_t limit) {
    constexpr std::uintmax_t kMegabyte = 1024 * 1024;
    const std::string size = limit % kMegabyte == 0 ? std::to_string(limit / kMegabyte) + " MB"
                                                    : std::to_string(limit) + " bytes";
    return FileProblem(path, "cannot read: larger than " + size);
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

FileResult ReadBytes(const std::string& path, std::string& bytes, std::uintmax_t limit, Links links,
                     mode_t* mode = nullptr) {
    // A FIFO or a device is not even opened: that alone could block or have side effects.
    const bool follow = links == Links::Follow;
    struct stat info;
    if ((follow ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info)) != 0) {
        return Failure(path, "read", errno);
    }
    if (!S_ISREG(info.st_mode)) return NotRegular(path, "read");
    if (static_cast<std::uintmax_t>(info.st_size) > limit) return TooLarge(path, limit);
    // Nonblocking and checked again: something else may have taken the file's place.
    Descriptor fd(::open(path.c_str(),
                         O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (follow ? 0 : O_NOFOLLOW)));
    if (fd.get() < 0) return Failure(path, "read", errno == ELOOP ? EINVAL : errno);
    if (::fstat(fd.get(), &info) != 0) return Failure(path, "read", errno);
    if (!S_ISREG(info.st_mode)) return NotRegular(path, "read");
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
        if (bytes.size() > limit) return TooLarge(path, limit);
    }
    if (mode) *mode = info.st_mode & 07777;
    return {};
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file a path names once every link on the way is followed; the path itself when it
// names nothing yet.
FileResult ResolveLinks(const std::string& path, std::string& target) {
    target = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info;
        if (::lstat(target.c_str(), &info) != 0) {
            return errno == ENOENT ? FileResult{} : Failure(path, "write", errno);
        }
        if (!S_ISLNK(info.st_mode)) return {};
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n < 0) return Failure(path, "write", errno);
        if (static_cast<std::size_t>(n) == link.size()) return Failure(path, "write", ENAMETOOLONG);
        link.resize(static_cast<std::size_t>(n));
        target = link.front() == '/' ? link : FolderOf(target) + link;
    }
    return Failure(path, "write", ELOOP);
}

// What a temporary file's name begins with: the file's own name, cut short where the rest
// (".<pid>.<eight hex digits>.tmp") would make it longer than a folder entry may be.
std::string TemporaryStem(const std::string& base) {
    constexpr std::size_t kLongestPid = 10;
    constexpr std::size_t kLongestRest = 1 + kLongestPid + 1 + kRandomDigits + kTemporaryEnd.size();
    return base.substr(0, std::min<std::size_t>(base.size(), NAME_MAX - kLongestRest));
}

// A new file beside the target, named after it, this process and a random number. It is
// created exclusively, so an existing file or a planted link of that name is never used.
int CreateTemporary(const std::string& target, std::string& name) {
    static std::mt19937 generator{std::random_device{}()};
    const std::string folder = FolderOf(target);
    const std::string stem = folder + TemporaryStem(target.substr(folder.size()));
    for (int attempt = 0; attempt < 100; ++attempt) {
        char tag[40];
        std::snprintf(tag, sizeof tag, ".%ld.%08x%s", static_cast<long>(::getpid()),
                      static_cast<unsigned>(generator()), kTemporaryEnd.data());
        name = stem + tag;
        const int fd =
            ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Gives the complete temporary file the target's name only where nothing has it yet.
bool RenameToFreeName(const std::string& temporary, const std::string& target) {
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    // File systems without that rename still make a hard link only to a free name.
    if (errno != EINVAL && errno != ENOSYS) return false;
    if (::link(temporary.c_str(), target.c_str()) != 0) return false;
    ::unlink(temporary.c_str());
    return true;
}

enum class Existing { Replace, Keep };

// Writes the bytes to a fresh temporary file and renames it to the target; messages name
// the file as the caller knows it.
FileResult ReplaceFile(const std::string& shown, const std::string& target,
                       const std::string& bytes, std::optional<mode_t> mode,
                       Existing existing = Existing::Replace) {
    RemoveLeftoverTemporaries(target);
    std::string temporary;
    Descriptor fd(CreateTemporary(target, temporary));
    if (fd.get() < 0) return Failure(shown, "write", errno);
    const bool done =
        (!mode || ::fchmod(fd.get(), *mode) == 0) && WriteAll(fd.get(), bytes) &&
        ::fsync(fd.get()) == 0 && ::close(fd.Release()) == 0 &&
        (existing == Existing::Replace ? ::rename(temporary.c_str(), target.c_str()) == 0
                                       : RenameToFreeName(temporary, target));
    if (!done) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return Failure(shown, "write", error);
    }
    return {};
}

// The process whose write left this folder entry, when it is a temporary file of `base`:
// "<stem>.<pid>.<eight hex digits>.tmp".
std::optional<pid_t> WriterOf(std::string_view entry, const std::string& base) {
    const std::string stem = TemporaryStem(base);
    if (!entry.starts_with(stem) || !entry.ends_with(kTemporaryEnd)) return std::nullopt;
    entry.remove_prefix(stem.size());
    entry.remove_suffix(kTemporaryEnd.size());
    const std::size_t dot = entry.rfind('.');
    if (!entry.starts_with('.') || dot == 0 || entry.size() - dot - 1 != kRandomDigits) {
        return std::nullopt;
    }
    const std::string_view pid = entry.substr(1, dot - 1);
    const std::string_view number = entry.substr(dot + 1);
    const auto digits = [](std::string_view text, bool hex) {
        for (char ch : text) {
            const int code = static_cast<unsigned char>(ch);
            if (!(hex ? std::isxdigit(code) : std::isdigit(code))) return false;
        }
        return !text.empty();
    };
    if (pid.size() > 9 || !digits(pid, false) || !digits(number, true)) return std::nullopt;
    const pid_t writer = static_cast<pid_t>(std::stol(std::string(pid)));
    return writer > 0 ? std::optional<pid_t>(writer) : std::nullopt;
}

void RemoveTemporariesBeside(const std::string& file) {
    const std::string folder = FolderOf(file);
    const std::string base = file.substr(folder.size());
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::optional<pid_t> writer = WriterOf(entry->d_name, base);
        if (writer && ::kill(*writer, 0) != 0 && errno == ESRCH) {
            ::unlink((folder + entry->d_name).c_str());
        }
    }
    ::closedir(dir);
}

}  // namespace

FileResult FileProblem(const std::string& path, const std::string& reason) {
    return {path + ": " + reason, reason};
}

FileResult AppendCreate(const std::string& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) == 0) {
        return S_ISREG(info.st_mode) ? FileResult{} : NotRegular(path, "read");
    }
    if (errno != ENOENT) return Failure(path, "create", errno);
    Descriptor fd(::open(path.c_str(),
                         O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
    if (fd.get() < 0) return Failure(path, "create", errno);
    return {};
}

FileResult ByteLength(const std::string& path, std::uintmax_t& length) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) return Failure(path, "read", errno);
    if (!S_ISREG(info.st_mode)) return NotRegular(path, "read");
    length = static_cast<std::uintmax_t>(info.st_size);
    return {};
}

FileResult ReadFileBytes(const std::string& path, std::string& bytes, std::uintmax_t limit,
                         Links links) {
    return ReadBytes(path, bytes, limit, links);
}

FileResult ReadAllLines(const std::string& path, std::vector<std::string>& lines,
                        std::uintmax_t limit) {
    std::string bytes;
    if (FileResult read = ReadBytes(path, bytes, limit, Links::Follow); !read.ok()) return read;
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
    return WriteFileAtomically(path, bytes);
}

FileResult WriteFileAtomically(const std::string& path, const std::string& bytes) {
    std::string target;
    if (FileResult resolved = ResolveLinks(path, target); !resolved.ok()) return resolved;
    struct stat old;
    if (::stat(target.c_str(), &old) != 0) {
        if (errno != ENOENT) return Failure(path, "write", errno);
        return ReplaceFile(path, target, bytes, std::nullopt);
    }
    if (!S_ISREG(old.st_mode)) return NotRegular(path, "write");
    // Renaming over a file needs no write permission on the file itself, so ask first:
    // a read-only file must stay read-only and unchanged.
    if (Descriptor probe(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        probe.get() < 0) {
        return Failure(path, "write", errno);
    }
    return ReplaceFile(path, target, bytes, old.st_mode & 07777);
}

FileResult CopyFile(const std::string& from, const std::string& to) {
    std::string bytes;
    mode_t mode = 0;
    if (FileResult read = ReadBytes(from, bytes, std::numeric_limits<std::uintmax_t>::max(),
                                    Links::Follow, &mode);
        !read.ok()) {
        return read;
    }
    return ReplaceFile(to, to, bytes, mode, Existing::Keep);
}

void RemoveLeftoverTemporaries(const std::string& path) {
    RemoveTemporariesBeside(path);
    // A file written through a link leaves its temporary files beside the link's target.
    std::string target;
    if (ResolveLinks(path, target).ok() && target != path) RemoveTemporariesBeside(target);
}
