// The French texts that core code hands to the windows (tables, link messages, error
// texts), and their translation into the language in force. Core code has no Qt: its texts
// are translated here, at the window boundary, with the French text as the source text.
#pragma once

#include <QString>
#include <string>
#include <vector>

namespace talvex {

struct ProgramText {
    const char* context;
    const char* text;
};

// Every text of the core sources, listed by scripts/update-translations.
const std::vector<ProgramText>& program_texts();

// A core text in the language in force. A text built from pieces around names and values
// ("Impossible d'ouvrir le fichier : " + name) is translated piece by piece; names, numbers
// and the system's own texts are kept as they are.
QString translateProgramText(const std::string& text);

} // namespace talvex
