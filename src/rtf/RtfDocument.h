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

// Replaces the content of document with the first RTF document in bytes.
// Bytes that are not RTF are shown as plain text decoded from code page 1251
// in defaultFont; defaultFont also becomes the document's default font and
// serves text whose document names no font.
TParseResult LoadRtf(QTextDocument& document, std::string_view bytes, const QFont& defaultFont);

} // namespace rtf
