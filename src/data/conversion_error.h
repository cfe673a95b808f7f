// The one error type of the data pipeline: a conversion or input/output failure whose
// message names what failed (file, line, text) so that a window can show it as it stands.
#pragma once

#include <stdexcept>
#include <string>

namespace talvex {

class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const std::string& message) : std::runtime_error(message) {}
    ConversionError(const std::string& file, long line, const std::string& message)
        : std::runtime_error(describe(file, line, message)), file_(file), line_(line) {}

    const std::string& file() const { return file_; }
    long line() const { return line_; }

private:
    static std::string describe(const std::string& file, long line, const std::string& message) {
        std::string text = message;
        if (!file.empty()) {
            text += "\nFichier : " + file;
            if (line > 0)
                text += ", ligne " + std::to_string(line);
        }
        return text;
    }

    std::string file_;
    long line_ = 0;
};

} // namespace talvex
