#include "rtf/FontSubstitutes.h"

#include "platform/Cp1251.h"

namespace rtf {

const TFontSubstitute* FindFontSubstitute(std::string_view family) {
    for (const TFontSubstitute& substitute : kFontSubstitutes) {
        if (platform::EqualsAsciiNoCase(family, substitute.Name)) {
            return &substitute;
        }
    }
    return nullptr;
}

} // namespace rtf
