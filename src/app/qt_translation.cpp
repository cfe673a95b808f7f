#include "app/qt_program_texts.h"

#include <QCoreApplication>

#include <algorithm>

namespace talvex {

namespace {

// Pieces shorter than this (" de ", " mn") are translated only as whole texts: replaced
// inside a message they could change a file name that happens to contain them.
constexpr int ShortestPiece = 6;

struct Piece {
    QString french;
    const char* source;
};

// The core's message texts, longest first so that a long text wins over a piece of it.
const std::vector<Piece>& pieces() {
    static const std::vector<Piece> list = [] {
        std::vector<Piece> l;
        for (const ProgramText& t : program_texts())
            if (qstrcmp(t.context, "Program") == 0)
                l.push_back({QString::fromUtf8(t.text), t.text});
        std::stable_sort(l.begin(), l.end(), [](const Piece& a, const Piece& b) {
            return a.french.size() > b.french.size();
        });
        return l;
    }();
    return list;
}

} // namespace

QString translateProgramText(const std::string& text) {
    const QString french = QString::fromStdString(text);
    const QString whole = QCoreApplication::translate("Program", text.c_str());
    if (whole != french)
        return whole;
    // Each known piece is replaced by a marker first, so that a translated piece is never
    // matched again by a shorter French piece; the markers then take the translations.
    QString marked = french;
    QStringList translations;
    for (const Piece& piece : pieces()) {
        if (piece.french.size() < ShortestPiece || !marked.contains(piece.french))
            continue;
        const QString english = QCoreApplication::translate("Program", piece.source);
        if (english == piece.french)
            continue;
        const QString marker = QChar(0xE000) + QString::number(translations.size()) + QChar(0xE001);
        translations << english;
        marked.replace(piece.french, marker);
    }
    for (int i = 0; i < translations.size(); ++i)
        marked.replace(QChar(0xE000) + QString::number(i) + QChar(0xE001), translations.at(i));
    return marked;
}

} // namespace talvex
