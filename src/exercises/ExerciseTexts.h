#pragma once

#include "ui/Captions.h"

#include <QString>

#include <span>
#include <string_view>

class QWidget;

// The exercise windows' texts in both languages. A window takes its captions
// and hints once, when it is created; a language switch while it is open
// does not change it.
namespace exercises {

struct TExerciseText {
    const char* Control; // the object name of the control
    ui::TTextKind Kind;
    const char* Bulgarian;
    const char* English;
};

// One table per window. "Heading" is the title line at the top of the
// window's panel, which shows the launcher's caption.
std::span<const TExerciseText> Method1Texts(); // TForm3
std::span<const TExerciseText> Method2Texts(); // TForm5
std::span<const TExerciseText> Method3Texts(); // TForm4
std::span<const TExerciseText> Method4Texts(); // TForm6
std::span<const TExerciseText> Method5Texts(); // TForm2
std::span<const TExerciseText> HangmanTexts(); // THangForm1

// A text of a table; empty when the table has none.
QString ExerciseText(std::span<const TExerciseText> table, std::string_view control,
                     ui::TTextKind kind, bool english);

// Sets every text of the table on the window's children, found by object
// name: captions on buttons, labels and boxes, hints as tool tips.
void ApplyTexts(QWidget& window, std::span<const TExerciseText> table, bool english);

// Texts chosen while a window is open.
enum class TExercisePhrase {
    StopHint,  // the Start/Stop button while running: "Стоп" / "Stop"
    StartHint, // ... after Stop: "Старт" in both languages
    Translation,
    Continue,
    EmptyStudyList, // shown in the window when the study list has no word
    NoHangmanWord,  // Hangman found no word of three letters for the option chosen
};

QString ExercisePhrase(TExercisePhrase phrase, bool english);

} // namespace exercises
