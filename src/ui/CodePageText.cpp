#include "ui/CodePageText.h"

#include "platform/Cp1251.h"

namespace ui {

QString FromCodePage(std::string_view bytes) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        *out++ = QChar(platform::Cp1251ToUnicode(static_cast<std::uint8_t>(byte)));
    }
    return text;
}

std::string ToCodePage(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar ch : text) {
        bytes += static_cast<char>(platform::UnicodeToCp1251(ch.unicode()).value_or('?'));
    }
    return bytes;
}

std::optional<std::string> ToCodePageExactly(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar ch : text) {
        const auto byte = platform::UnicodeToCp1251(ch.unicode());
        if (!byte) {
            return std::nullopt;
        }
        bytes += static_cast<char>(*byte);
    }
    return bytes;
}

} // namespace ui
