// Raw terminal captures: a ".txt" file in which a technician recorded, with a terminal
// program, the probe's text replies to "RH" (the header) and to "RM" (all measures) or "RI"
// (an interval). A capture is recognised, then rewritten as a ".bm2" text that the normal
// loaders read.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace talvex {

namespace fs = std::filesystem;

// What a capture holds: nothing usable, a complete reading ("RH" and "RM"), or an interval
// reading ("RH" and "RI", without "NOTHING" after the "RI" line).
enum CaptureClass { CaptureInvalid = 0, CaptureComplete = 1, CaptureInterval = 2 };

inline constexpr const char* InvalidCaptureMessage = "Fichier Invalide.";

int classify_capture_text(std::string_view capture);
// Reads the file; throws ConversionError when it cannot be read.
int ClassifyCapture(const fs::path& capture);

// The ".bm2" text of a capture of class 1 or 2: "HEADER", the 58 header lines cut after
// their third ";", "MESURES", and the measure lines renumbered from 1. CR LF line ends.
std::string capture_to_bm2_text(std::string_view capture, int captureClass);

// Reads `capture` and gives its ".bm2" text (and its class through `captureClass`); nothing
// for a capture of class 0. Throws ConversionError when the file cannot be read.
std::optional<std::string> read_capture_as_bm2(const fs::path& capture, int* captureClass = nullptr);

// Classifies and rewrites `capture` into `destination` (replaced only once complete).
// Returns the class; nothing is written for a capture of class 0.
int import_capture(const fs::path& capture, const fs::path& destination);

} // namespace talvex
