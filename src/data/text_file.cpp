#include "data/text_file.h"

#include "data/conversion_error.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <random>
#include <unistd.h>

namespace talvex {

namespace {

// Unicode code points of the bytes 0x80..0x9F in Windows-1252 (0 = undefined, kept as is).
const char16_t HighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string system_error_text() { return std::strerror(errno); }

} // namespace

std::string display_name(const fs::path& file) { return file.string(); }

std::string read_file_bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw ConversionError(display_name(file), 0,
                              "Impossible d'ouvrir le fichier : " + system_error_text());
    std::string bytes;
    in.seekg(0, std::ios::end);
    const auto size = in.tellg();
    if (size > 0) {
        bytes.resize(static_cast<size_t>(size));
        in.seekg(0);
        in.read(bytes.data(), size);
        bytes.resize(static_cast<size_t>(in.gcount()));
    }
    if (in.bad())
        throw ConversionError(display_name(file), 0, "Erreur de lecture du fichier");
    return bytes;
}

bool LineReader::next(std::string_view& line) {
    if (pos_ >= text_.size())
        return false;
    const size_t end = text_.find('\n', pos_);
    size_t stop = end == std::string_view::npos ? text_.size() : end;
    line = text_.substr(pos_, stop - pos_);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    pos_ = end == std::string_view::npos ? text_.size() : end + 1;
    ++number_;
    return true;
}

void write_file_atomically(const fs::path& destination,
                           const std::function<void(std::ostream&)>& writer) {
    fs::path temporary = destination;
    temporary += ".part" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            throw ConversionError(display_name(destination), 0,
                                  "Impossible de créer le fichier : " + system_error_text());
        try {
            writer(out);
        } catch (...) {
            out.close();
            std::error_code ignored;
            fs::remove(temporary, ignored);
            throw;
        }
        out.flush();
        if (!out) {
            const std::string reason = system_error_text();
            out.close();
            std::error_code ignored;
            fs::remove(temporary, ignored);
            throw ConversionError(display_name(destination), 0,
                                  "Erreur d'écriture du fichier : " + reason);
        }
    }
    std::error_code ec;
    fs::rename(temporary, destination, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw ConversionError(display_name(destination), 0,
                              "Impossible de remplacer le fichier : " + ec.message());
    }
}

std::string cp1252_to_utf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes) {
        if (b < 0x80)
            out += static_cast<char>(b);
        else if (b < 0xA0 && HighControls[b - 0x80])
            append_utf8(out, HighControls[b - 0x80]);
        else
            append_utf8(out, b);
    }
    return out;
}

std::string utf8_to_cp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        char32_t c = b;
        size_t length = 1;
        if (b >= 0xF0 && i + 3 < text.size()) {
            length = 4;
            c = ((b & 0x07u) << 18) | ((text[i + 1] & 0x3Fu) << 12) |
                ((text[i + 2] & 0x3Fu) << 6) | (text[i + 3] & 0x3Fu);
        } else if (b >= 0xE0 && i + 2 < text.size()) {
            length = 3;
            c = ((b & 0x0Fu) << 12) | ((text[i + 1] & 0x3Fu) << 6) | (text[i + 2] & 0x3Fu);
        } else if (b >= 0xC0 && i + 1 < text.size()) {
            length = 2;
            c = ((b & 0x1Fu) << 6) | (text[i + 1] & 0x3Fu);
        }
        i += length;
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
            continue;
        }
        char mapped = '?';
        for (int k = 0; k < 32; ++k)
            if (HighControls[k] == c)
                mapped = static_cast<char>(0x80 + k);
        out += mapped;
    }
    return out;
}

} // namespace talvex
