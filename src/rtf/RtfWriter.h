#pragma once

#include <string>

class QTextDocument;

namespace rtf {

// Writes a document as RTF in code page 1251, the form articles are stored
// in: fonts, sizes, bold, italic, underline, colours, paragraph alignment and
// indents. Characters the code page lacks are written as \uN with a '?'
// fallback. LoadRtf reads the result back to the same look.
std::string WriteRtf(const QTextDocument& document);

} // namespace rtf
