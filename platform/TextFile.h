#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Sequential text files. Every operation opens and closes the file itself and reports a
// failure as a one-line message naming the file and the reason (empty when it worked).
// Only regular files (or links to them) are opened: a FIFO or a device is refused unopened,
// so nothing here ever blocks.

struct FileResult {
    std::string error;   // "<file>: <reason>"
    std::string reason;  // the same without the file's name
    bool ok() const { return error.empty(); }
};

FileResult FileProblem(const std::string& path, const std::string& reason);

// Creates an empty file when there is none; leaves an existing one unchanged.
FileResult AppendCreate(const std::string& path);

FileResult ByteLength(const std::string& path, std::uintmax_t& length);

// Whether a link in the file's place is followed or refused.
enum class Links { Follow, Refuse };

// The whole file. A file larger than `limit` bytes is refused before it is read, and so is
// one that grows past it while it is read, so that neither time nor memory runs away.
FileResult ReadFileBytes(const std::string& path, std::string& bytes, std::uintmax_t limit,
                         Links links = Links::Follow);

// Lines without their ends; CR LF, LF and a lone CR all end a line. Read as ReadFileBytes.
FileResult ReadAllLines(const std::string& path, std::vector<std::string>& lines,
                        std::uintmax_t limit);

// Replaces the file by the lines, each ended by CR LF, through WriteFileAtomically.
FileResult WriteAllLines(const std::string& path, const std::vector<std::string>& lines);

// Replaces the file's contents so that readers only ever see the old or the new file whole.
// The bytes go to a temporary file of a unique name, created exclusively beside the file,
// which is flushed to disk and renamed over it; the last complete rename wins. Temporary
// files of this file that a killed writer left are removed first (see
// RemoveLeftoverTemporaries), and every name the file system takes for the file also takes
// its temporary file. A link is followed: the link stays, its target is replaced beside
// itself. The file keeps its permissions, a read-only file is refused, and on any failure
// the file stays as it was and no temporary file is left.
FileResult WriteFileAtomically(const std::string& path, const std::string& bytes);

// Copies a file byte for byte with its permissions to `to`, which must not exist yet: the
// copy is made complete under another name and then takes that name only if it is still
// free, so that nothing there, a link neither, is ever replaced (EEXIST otherwise).
FileResult CopyFile(const std::string& from, const std::string& to);

// Removes the temporary files that interrupted writes of this file (or of the file a link
// of this name leads to) left behind; those of a process that still runs may be in use
// and stay.
void RemoveLeftoverTemporaries(const std::string& path);
