#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

// Conversions between the widgets' Unicode text and the dictionary's code
// page 1251 bytes.
namespace ui {

QString FromCodePage(std::string_view bytes);
// Characters the code page cannot hold become '?'.
std::string ToCodePage(const QString& text);
// Nothing when a character has no code-page byte.
std::optional<std::string> ToCodePageExactly(const QString& text);

} // namespace ui
