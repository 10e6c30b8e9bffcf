#include "dictool/HeadWords.h"

#include "platform/Cp1251.h"

#include <QString>

namespace dictool {
namespace {

// Letters that do not decompose into a base letter and marks.
QString FoldSpecialLetters(const QString& text) {
    static const std::pair<char16_t, const char*> kFolds[] = {
        {u'ß', "ss"}, {u'æ', "ae"}, {u'Æ', "AE"}, {u'œ', "oe"}, {u'Œ', "OE"}, {u'ø', "o"},
        {u'Ø', "O"},  {u'ł', "l"},  {u'Ł', "L"},  {u'đ', "d"},  {u'Đ', "D"},  {u'ı', "i"},
        {u'ð', "d"},  {u'Ð', "D"},  {u'þ', "th"}, {u'Þ', "Th"}, {u'ħ', "h"},  {u'Ħ', "H"},
    };
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const char* replacement = nullptr;
        for (const auto& [from, to] : kFolds) {
            if (ch.unicode() == from) {
                replacement = to;
            }
        }
        if (replacement != nullptr) {
            out += QString::fromLatin1(replacement);
        } else {
            out += ch;
        }
    }
    return out;
}

QString WithoutMarks(const QString& text, bool onlyStress) {
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar ch : decomposed) {
        const bool stress = ch.unicode() == 0x0301 || ch.unicode() == 0x0300;
        const bool mark = ch.category() == QChar::Mark_NonSpacing;
        if (onlyStress ? stress : mark) {
            continue;
        }
        out += ch;
    }
    return out.normalized(QString::NormalizationForm_C);
}

std::optional<std::string> ToCodePage(const QString& text) {
    return platform::Utf8ToCp1251(text.toStdString());
}

} // namespace

std::string StripStress(const std::string& utf8) {
    return WithoutMarks(QString::fromStdString(utf8), true).toStdString();
}

std::optional<std::string> EnglishHeadWord(const std::string& utf8) {
    const QString text = QString::fromStdString(utf8).trimmed();
    auto bytes = ToCodePage(text);
    if (!bytes) {
        bytes = ToCodePage(WithoutMarks(FoldSpecialLetters(text), false));
    }
    if (!bytes || bytes->empty()) {
        return std::nullopt;
    }
    const auto first = static_cast<unsigned char>(bytes->front());
    if (!((first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z'))) {
        return std::nullopt;
    }
    return bytes;
}

std::string WithoutRemarks(const std::string& utf8) {
    QString text = QString::fromStdString(utf8).trimmed();
    while (text.startsWith(u'(')) {
        const qsizetype close = text.indexOf(u')');
        text = close < 0 ? QString() : text.mid(close + 1).trimmed();
    }
    while (text.endsWith(u')')) {
        const qsizetype open = text.lastIndexOf(u'(');
        if (open <= 0) {
            break;
        }
        text = text.left(open).trimmed();
    }
    return text.toStdString();
}

std::optional<std::string> BulgarianHeadWord(const std::string& utf8) {
    const QString text = WithoutMarks(QString::fromStdString(WithoutRemarks(utf8)), true);
    const auto bytes = ToCodePage(text);
    if (!bytes || bytes->empty()) {
        return std::nullopt;
    }
    if (static_cast<unsigned char>(bytes->front()) < 0xC0) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace dictool
