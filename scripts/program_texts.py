#!/usr/bin/env python3
"""Lists the French texts that core code (standard C++, no Qt) hands to the windows, and
writes them as src/app/qt_program_texts.cpp so that lupdate offers them for translation.

Core code cannot call tr(); its texts reach the windows as plain strings: the measure-name
and header-label tables, the conversion titles, the link's messages and the texts of the
errors it throws. The windows translate them with QCoreApplication::translate under the
contexts below, the French text being the source text. A message built from pieces
("Impossible d'ouvrir le fichier : " + name) is translated piece by piece.

Usage: program_texts.py [--check]   (--check: exit 1 when the generated file is stale)
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SRC = ROOT / "src"
OUT = SRC / "app" / "qt_program_texts.cpp"
CORE_DIRS = ["app", "link", "data", "display", "config"]

# Whole tables, each under the context the windows translate it with.
TABLES = [
    ("data/text_tables.cpp", "french_measure_names", "MeasureNames"),
    ("data/text_tables.cpp", "french_header_labels", "HeaderLabels"),
    ("data/text_conversion.cpp", "french_conversion_texts", "ConversionTitles"),
]

# Literals that are file keys, formats or protocol words, never shown as text.
NOT_TEXT = re.compile(
    r"^(courbe |couleur |GSM FILTER|[A-Z0-9 _%./:;,-]*$)|%[0-9.]*[dfsx]|^\s*$"
    r"|^[dMyhHmsz ,./:-]+$")

LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"')


def strip_comments(text):
    # Removes // and /* */ comments outside string literals.
    out, i, n = [], 0, len(text)
    while i < n:
        c = text[i]
        if c == '"':
            j = i + 1
            while j < n and text[j] != '"':
                j += 2 if text[j] == "\\" else 1
            out.append(text[i:j + 1])
            i = j + 1
        elif c == "'" :
            j = i + 1
            while j < n and text[j] != "'":
                j += 2 if text[j] == "\\" else 1
            out.append(text[i:j + 1])
            i = j + 1
        elif text.startswith("//", i):
            j = text.find("\n", i)
            i = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            i = n if j < 0 else j + 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


def joined_literals(code):
    """String literals with adjacent ones ("a" "b") joined, in source order."""
    result, last_end, current = [], None, None
    for m in LITERAL.finditer(code):
        if current is not None and code[last_end:m.start()].strip() == "":
            current += m.group(1)
        else:
            if current is not None:
                result.append(current)
            current = m.group(1)
        last_end = m.end()
    if current is not None:
        result.append(current)
    return result


def function_body(code, name):
    start = code.find(name + "()")
    if start < 0:
        sys.exit(f"program_texts.py: {name} not found")
    open_brace = code.find("{", start)
    depth, i = 0, open_brace
    while True:
        if code[i] == "{":
            depth += 1
        elif code[i] == "}":
            depth -= 1
            if depth == 0:
                return code[open_brace:i + 1]
        i += 1


def is_core(path):
    name = path.name
    return not (name.startswith("panel_") or name.startswith("qt_") or name == "main.cpp")


def is_text(literal):
    if NOT_TEXT.search(literal):
        return False
    # A text shown to the user has a word of two letters or more and a blank or an accent.
    return re.search(r"[a-zàâçéèêëîïôûùü]{2}", literal) is not None and (
        " " in literal or re.search(r"[^\x00-\x7f]", literal) is not None)


def collect():
    entries = []  # (context, text)
    seen = set()

    def add(context, text):
        if text and (context, text) not in seen:
            seen.add((context, text))
            entries.append((context, text))

    table_files = {}
    for rel, function, context in TABLES:
        code = strip_comments((SRC / rel).read_text(encoding="utf-8"))
        for text in joined_literals(function_body(code, function)):
            add(context, text)
        table_files.setdefault(rel, []).append(function)

    for sub in CORE_DIRS:
        folder = SRC / sub
        if not folder.is_dir():
            continue
        for path in sorted(list(folder.glob("*.h")) + list(folder.glob("*.cpp"))):
            if not is_core(path):
                continue
            code = strip_comments(path.read_text(encoding="utf-8"))
            rel = f"{sub}/{path.name}"
            for function in table_files.get(rel, []):
                code = code.replace(function_body(code, function), "")
            for text in joined_literals(code):
                if is_text(text):
                    add("Program", text)
                    if sub == "link":
                        add("Link", text)
    return entries


def render(entries):
    lines = [
        "// Generated by scripts/update-translations (scripts/program_texts.py): do not edit.",
        "// The French texts that core code hands to the windows, under the context each window",
        "// translates them with, so that lupdate offers them for translation.",
        '#include "app/qt_program_texts.h"',
        "",
        "#include <QtGlobal>",
        "",
        "namespace talvex {",
        "",
        "const std::vector<ProgramText>& program_texts() {",
        "    static const std::vector<ProgramText> texts = {",
    ]
    for context, text in entries:
        lines.append(f'        {{"{context}", QT_TRANSLATE_NOOP("{context}", "{text}")}},')
    lines += ["    };", "    return texts;", "}", "", "} // namespace talvex", ""]
    return "\n".join(lines)


def main():
    rendered = render(collect())
    if "--check" in sys.argv:
        current = OUT.read_text(encoding="utf-8") if OUT.exists() else ""
        sys.exit(0 if current == rendered else 1)
    if not OUT.exists() or OUT.read_text(encoding="utf-8") != rendered:
        OUT.write_text(rendered, encoding="utf-8")


if __name__ == "__main__":
    main()
