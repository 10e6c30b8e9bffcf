#include "progress/LearningTexts.h"

#include <array>

namespace progress {
namespace {

struct TLearningText {
    TLearningPhrase Phrase;
    const char* Bulgarian;
    const char* English;
};

using P = TLearningPhrase;

constexpr std::array kTexts{
    TLearningText{P::DueWords, "%1 думи за преговор", "%1 words to review"},
    TLearningText{P::DueWord, "%1 дума за преговор", "%1 word to review"},
    TLearningText{P::NothingToReview, "Няма думи за преговор.", "There are no words to review."},
    TLearningText{P::RecordBusy,
                  "Записът на ученето „%1“ е зает от друга програма. Отговорите не се записват, "
                  "докато е зает; упражнението продължава.",
                  "The learning record \"%1\" is busy in another program. Answers are not "
                  "recorded while it is; the exercise goes on."},
    TLearningText{P::RecordUnwritable,
                  "Записът на ученето „%1“ не може да бъде записан (пълен диск или папка само "
                  "за четене). Отговорите не се записват; упражнението продължава.",
                  "The learning record \"%1\" cannot be written (a full disk or a read-only "
                  "folder). Answers are not recorded; the exercise goes on."},
    TLearningText{P::RecordDamaged,
                  "Записът на ученето „%1“ е повреден. Преместен е като „%2“ и започва нов запис.",
                  "The learning record \"%1\" is damaged. It was moved aside as \"%2\" and a new "
                  "record begins."},
    TLearningText{P::RecordNewer,
                  "Записът на ученето „%1“ е от по-нова версия на програмата. Остава непроменен "
                  "и отговорите не се записват.",
                  "The learning record \"%1\" was written by a newer version of the program. "
                  "It is left as it is and answers are not recorded."},
    TLearningText{P::RecordDetail, "(%1)", "(%1)"},
    TLearningText{P::ProgressTitle, "Напредък", "Progress"},
    TLearningText{P::AnswersPerDay, "Отговори на ден за последните 30 дни",
                  "Answers per day over the last 30 days"},
    TLearningText{P::ShareRight, "Дял верни", "Share right"},
    TLearningText{P::RightAnswers, "Верни", "Right"},
    TLearningText{P::MissedAnswers, "Грешни", "Missed"},
    TLearningText{P::Percent, "%", "%"},
    TLearningText{P::StateNew, "Нови", "New"},
    TLearningText{P::StateLearning, "Учат се", "Learning"},
    TLearningText{P::StateKnown, "Научени", "Known"},
    TLearningText{P::StateDueToday, "За днес", "Due today"},
    TLearningText{P::MostMissed, "Най-често грешени думи (двоен щрак ги показва)",
                  "Words missed most (double-click to look one up)"},
    TLearningText{P::MissedTimes, "%1 от %2", "%1 of %2"},
    TLearningText{P::ProgressUnavailable, "Прозорецът на напредъка не може да се отвори:\n%1",
                  "The progress window cannot be opened:\n%1"},
    TLearningText{P::EmptyRecord,
                  "Още няма записани отговори. Упражненията записват всеки отговор.",
                  "No answers are recorded yet. The exercises record every answer."},
    TLearningText{P::CloseButton, "Затвори", "Close"},
    TLearningText{P::ExportTitle, "Експорт на списъка от думи", "Export the words list"},
    TLearningText{P::ExportAnkiFilter, "Пакет на Anki (*.apkg)", "Anki package (*.apkg)"},
    TLearningText{P::ExportTextFilter, "Текст с табулации (*.tsv)", "Tab-separated text (*.tsv)"},
    TLearningText{P::ExportEmptyList, "Списъкът от думи е празен: няма какво да се експортира.",
                  "The words list is empty: there is nothing to export."},
    TLearningText{P::ExportWritten, "Записани са %1 думи и %2 произношения в „%3“.",
                  "%1 words and %2 pronunciations were written to \"%3\"."},
    TLearningText{P::ExportExists, "Файлът „%1“ вече съществува. Да бъде ли заменен?",
                  "The file \"%1\" exists already. Replace it?"},
    TLearningText{P::ExportUnwritable, "Файлът „%1“ не може да бъде записан.",
                  "The file \"%1\" cannot be written."},
    TLearningText{P::ExportNothing,
                  "Нито една дума от списъка не е дума от речника: нищо не е записано.",
                  "No entry of the list is a head-word of the dictionary: nothing was written."},
    TLearningText{P::ExportLeftOut, "Не са думи от речника и са пропуснати: %1",
                  "Not head-words of the dictionary, left out: %1"},
};

} // namespace

QString LearningPhrase(TLearningPhrase phrase, ui::TLanguage language) {
    for (const TLearningText& text : kTexts) {
        if (text.Phrase == phrase) {
            return ui::TextIn(text, language);
        }
    }
    return {};
}

QString DueCountText(int count, bool english) {
    return LearningPhrase(count == 1 ? TLearningPhrase::DueWord : TLearningPhrase::DueWords,
                          english)
        .arg(count);
}

} // namespace progress
