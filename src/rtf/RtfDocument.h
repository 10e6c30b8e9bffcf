#pragma once

#include "rtf/RtfReader.h"

#include <QString>

#include <string_view>

class QFont;
class QTextDocument;

namespace rtf {

// The family to show for a font a document names. Documents name a few
// Windows fonts that Linux lacks; those map to installed families that hold
// Cyrillic and the phonetic symbols, other names pass through unchanged.
QString SubstituteFontFamily(std::string_view fontName);

// What one document may ask of the viewer. Qt's text layout never finishes a
// document taller than about 2^23 pixels, which a short article reaches with
// a huge font or a great many paragraphs; within these bounds it stays below
// a third of that even with every character on a line of its own.
constexpr int kMaxFontPoints = 72;
// Characters, tabs, line breaks and paragraph ends.
constexpr int kMaxDocumentUnits = 20000;

struct TLoadResult : TParseResult {
    // The document asked for more than kMaxDocumentUnits: what fits is shown,
    // followed by a paragraph with the cut note.
    bool Cut = false;
};

// Replaces the content of document with the first RTF document in bytes.
// Bytes that are not RTF are shown as plain text decoded from code page 1251
// in defaultFont; defaultFont also becomes the document's default font and
// serves text whose document names no font. Font sizes above
// kMaxFontPoints are shown at that size.
TLoadResult LoadRtf(QTextDocument& document, std::string_view bytes, const QFont& defaultFont,
                    const QString& cutNote = QStringLiteral("[…]"));

} // namespace rtf
