// Byte-level helpers for the system's text files: Windows-1252 bytes, CR LF written,
// LF alone accepted; whole-file reads; and writes that replace a file only when complete.
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace talvex {

namespace fs = std::filesystem;

// Reads a whole file; throws ConversionError naming the file when it cannot be read.
std::string read_file_bytes(const fs::path& file);

// Walks the lines of a text held in memory: accepts CR LF, LF alone, and a last line without
// a line end. The line handed out has no line end.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}
    bool next(std::string_view& line);
    long lineNumber() const { return number_; }
    size_t offset() const { return pos_; }

private:
    std::string_view text_;
    size_t pos_ = 0;
    long number_ = 0;
};

// Writes through a temporary file beside the destination, then renames it over the
// destination: a reader never sees a half-written file and a failure leaves the old one.
// Throws ConversionError naming the destination on any failure.
void write_file_atomically(const fs::path& destination,
                           const std::function<void(std::ostream&)>& writer);

// Windows-1252 <-> UTF-8, for the window boundary and the built-in French texts.
std::string cp1252_to_utf8(std::string_view bytes);
// Characters with no Windows-1252 form become '?'.
std::string utf8_to_cp1252(std::string_view text);

// The user-facing name of a path (UTF-8) for messages.
std::string display_name(const fs::path& file);

} // namespace talvex
