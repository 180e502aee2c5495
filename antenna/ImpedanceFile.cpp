#include "antenna/ImpedanceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

#include "antenna/CsvReader.h"
#include "antenna/TouchstoneReader.h"
#include "core/FileDescriptor.h"

namespace {

enum class Layout { OnePort, TwoPort, Csv, OtherPorts };

std::string LowerExtension(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    std::string extension(dot == std::string_view::npos ? std::string_view{} : name.substr(dot));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return extension;
}

// By the extension; a file without a known one is CSV when its first data line has a comma.
Layout LayoutOf(std::string_view name, std::string_view text) {
    const std::string extension = LowerExtension(name);
    if (extension == ".s1p") return Layout::OnePort;
    if (extension == ".s2p") return Layout::TwoPort;
    if (extension == ".csv") return Layout::Csv;
    if (extension.size() >= 4 && extension[1] == 's' && extension.back() == 'p' &&
        std::all_of(extension.begin() + 2, extension.end() - 1,
                    [](unsigned char ch) { return std::isdigit(ch); })) {
        return Layout::OtherPorts;
    }
    ReadProgress none;
    TextLines lines(text, none);
    std::string_view line;
    while (lines.Next(line)) {
        line = Trimmed(line);
        if (line.empty() || line.front() == '!' || line.front() == '#') continue;
        return line.find(',') != std::string_view::npos ? Layout::Csv : Layout::OnePort;
    }
    return Layout::OnePort;
}

ImpedanceFileRead Refused(std::string_view name, const std::string& why) {
    return {std::nullopt, std::string(name) + ": " + why};
}

}  // namespace

std::string FileNameOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

ImpedanceFileRead ParseImpedanceFile(std::string_view text, std::string_view name,
                                     const ReadProgress& progress) {
    PointSink sink(name);
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) {
        sink.FileFault("the file is empty");
        return sink.Finish(false);
    }
    const Layout layout = LayoutOf(name, text);
    if (layout == Layout::OtherPorts) {
        sink.FileFault("an antenna is a one-port: only .s1p and .s2p files are read");
        return sink.Finish(false);
    }
    TextLines lines(text, progress);
    if (layout == Layout::Csv) {
        ReadImpedanceCsv(lines, sink);
    } else {
        ReadTouchstone(lines, layout == Layout::TwoPort, sink);
    }
    if (progress) progress(100);
    return sink.Finish(layout == Layout::TwoPort);
}

ImpedanceFileRead ReadImpedanceFile(const std::string& path, const ReadProgress& progress) {
    const std::string name = FileNameOf(path);
    // Not blocking: a FIFO would otherwise wait for a writer before fstat could refuse it.
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        return Refused(name, std::string("cannot be opened (") + std::strerror(errno) + ")");
    struct stat about {};
    if (::fstat(fd.get(), &about) != 0) {
        return Refused(name, std::string("cannot be read (") + std::strerror(errno) + ")");
    }
    if (S_ISDIR(about.st_mode)) return Refused(name, "a folder, not a file");
    if (!S_ISREG(about.st_mode)) return Refused(name, "not a regular file (a FIFO or a device)");
    if (static_cast<std::uint64_t>(about.st_size) > kLargestImpedanceFile) {
        return Refused(name, "larger than 64 MB");
    }
    std::string text;
    text.resize(static_cast<std::size_t>(about.st_size));
    std::size_t got = 0;
    while (got < text.size()) {
        const ssize_t n = ::read(fd.get(), text.data() + got, text.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0)
            return Refused(name, std::string("cannot be read (") + std::strerror(errno) + ")");
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    // A file that shrank while it was read is read as far as it went.
    text.resize(got);
    return ParseImpedanceFile(text, name, progress);
}
