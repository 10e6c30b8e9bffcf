#pragma once

#include "platform/FileError.h"
#include "ui/Captions.h"

#include <QString>

// The windows' words for a file operation that failed, as the layers below
// report it: what could not be done to which file, and why, in the interface
// language.
namespace ui {

// "Cannot open file "…". No such file or directory." / "Файлът „…“ не може
// да бъде отворен. Няма такъв файл или папка."
QString FileErrorMessage(const platform::TFileError& error, TLanguage language);

// Why, alone: the system's reason for an errno value or one of the platform's
// kind codes, in the interface language, without a closing full stop.
// Reasons too rare to have Bulgarian words keep the system's English ones.
QString FileFailureReason(int failure, TLanguage language);

} // namespace ui
