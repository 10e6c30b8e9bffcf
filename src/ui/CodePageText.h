#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

// Conversions between the widgets' Unicode text and the dictionary's code
// page 1251 bytes. Text from the widgets is folded first: stress marks and
// accents the code page lacks give way to their base letters
// (platform::FoldToCp1251).
namespace ui {

QString FromCodePage(std::string_view bytes);
// Characters the code page cannot hold even folded become '?'.
std::string ToCodePage(const QString& text);
// Nothing when a character has no code-page byte even folded.
std::optional<std::string> ToCodePageExactly(const QString& text);

} // namespace ui
