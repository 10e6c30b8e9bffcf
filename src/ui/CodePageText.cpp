#include "ui/CodePageText.h"

#include "platform/Cp1251.h"

#include <QList>

namespace ui {

QString FromCodePage(std::string_view bytes) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        *out++ = QChar(platform::Cp1251ToUnicode(static_cast<std::uint8_t>(byte)));
    }
    return text;
}

namespace {

std::u32string CodePoints(const QString& text) {
    std::u32string points;
    points.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t ch : text.toUcs4()) {
        points += ch;
    }
    return points;
}

} // namespace

std::string ToCodePage(const QString& text) {
    return platform::FoldToCp1251(CodePoints(text));
}

std::optional<std::string> ToCodePageExactly(const QString& text) {
    bool exact = true;
    std::string bytes = platform::FoldToCp1251(CodePoints(text), &exact);
    if (!exact) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace ui
