#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <vector>

// The driver editor's text handling, kept apart from the widgets so it can be checked alone.

// "game1.drv" -> "game1.drv", "GAME1.DRV" -> "GAME1.drv": the last four characters, whatever
// they are, give way to ".drv".
QString driverFileName(const QString &selectedFileName);

enum class LineEnd : signed char { CrLf, Lf, Cr };

// A driver file's text as the editor holds it: every line break is a single '\n', and the line
// ends it replaced are remembered so that saving gives the file's own bytes back.
struct EditorText
{
    QString text;
    // The line end of the first line; also what new lines get. CR LF when the file has none.
    LineEnd usual = LineEnd::CrLf;
    // One entry per line break, in order; empty when every break is `usual`.
    std::vector<LineEnd> ends;
};

// The file's bytes one character each (Latin-1), so that every byte comes back on saving.
EditorText decodeDriverFile(const QByteArray &bytes);

// Puts the line ends back: each `separator` of text becomes ends[i] for the i-th separator, or
// `usual` where ends is shorter. An LF that would directly follow a CR is written as CR LF, so
// that the text reads back with as many lines as it has.
QString joinLineEnds(QStringView text, QChar separator, LineEnd usual,
                     const std::vector<LineEnd> &ends);

// Letters, digits and the underscore make up words.
bool isWordCharacter(QChar c);

// The index of the first occurrence of word in text[from, to) that is a whole word of text,
// case-sensitive, or -1. The characters just outside the range count for the word boundary: a
// word that goes on past the range is not a whole word inside it.
qsizetype findWholeWord(QStringView text, QStringView word, qsizetype from, qsizetype to);

// The index of the first character that a single-byte (Latin-1) file cannot hold, or -1.
qsizetype firstNonLatin1(QStringView text);
