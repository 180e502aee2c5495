#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Sequential text files. Every operation opens and closes the file itself and reports a
// failure as a one-line message naming the file and the reason (empty when it worked).

struct FileResult {
    std::string error;
    bool ok() const { return error.empty(); }
};

// Creates an empty file when there is none; leaves an existing one unchanged.
FileResult AppendCreate(const std::string& path);

FileResult ByteLength(const std::string& path, std::uintmax_t& length);

// Lines without their ends; CR LF, LF and a lone CR all end a line.
FileResult ReadAllLines(const std::string& path, std::vector<std::string>& lines);

// Replaces the file by the lines, each ended by CR LF. The lines go to a temporary file in
// the same folder that is then renamed over the old one, so the file is never left half
// written; when the file cannot be written it stays as it was.
FileResult WriteAllLines(const std::string& path, const std::vector<std::string>& lines);

// Copies a file byte for byte, replacing the target.
FileResult CopyFile(const std::string& from, const std::string& to);
