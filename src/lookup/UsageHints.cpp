#include "UsageHints.h"

namespace lookup {

QStringList UsageHintLines(bool english) {
    if (english) {
        return {
            QString(),
            QString(),
            QStringLiteral("Insert a word and press :"),
            QStringLiteral("downwards arrow or <Enter> to find the word"),
            QStringLiteral("<Ctrl> for the next word."),
            QStringLiteral("Translate from Clipboard \"CTRL+C\". "),
            QString(),
            QStringLiteral("The tests in version 1.0 operate only with the words we have chosen.")};
    }
    return {QString(),
            QString(),
            QStringLiteral("Въведи дума и натисни :"),
            QStringLiteral("стрелка надолу или <Enter> за да намериш думата "),
            QStringLiteral("<Ctrl> за следваща дума."),
            QStringLiteral("Превод през Clipboard \"CTRL+C\". "),
            QString(),
            QStringLiteral("Тестовете работят само с добавените думи.")};
}

} // namespace lookup
