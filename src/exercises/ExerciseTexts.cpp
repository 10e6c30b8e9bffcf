#include "exercises/ExerciseTexts.h"

#include <QWidget>

namespace exercises {
namespace {

constexpr ui::TTextKind C = ui::TTextKind::Caption;
constexpr ui::TTextKind H = ui::TTextKind::Hint;

constexpr TExerciseText kMethod1[] = {
    {"Heading", C, "Метод 1", "Method 1"},
    {"Label4", C, "Дума", "Word"},
    {"Label5", C, "Значение", "Translation"},
    {"Label1", C, "Скорост", "Speed"},
    {"CheckBox1", C, "Говор", "Speach"},
    {"Button4", C, "Предходна дума", "Previous word"},
    {"Button5", C, "Следваща дума", "Next word"},
    {"Button3", H, "Старт/Стоп", "Start/Stop"},
    {"Button7", H, "Изговори показаната дума", "Pronounce this word/phrase"},
    {"Button1", H, "Изход", "Exit"},
    {"SpeedButton1", H, "Помощ", "Help"},
    {"TrackBar1", H, "Скорост на смяна на думите", "Скорост на смяна на думите"},
};

constexpr TExerciseText kMethod2[] = {
    {"Heading", C, "Метод 2", "Method 2"},
    {"Label4", C, "Дума", "Word"},
    {"SpeedButton1", C, "Превод", "Translation"},
    {"Label1", C, "Скорост", "Speed"},
    {"CheckBox1", C, "Говор", "Speach"},
    {"Button4", C, "Предходна дума", "Previous word"},
    {"Button6", C, "Следваща дума", "Next word"},
    {"Button3", H, "Старт/Стоп", "Start/Stop"},
    {"Button7", H, "Изговори показаната дума", "Pronounce this word/phrase"},
    {"Button1", H, "Изход", "Exit"},
    {"SpeedButton2", H, "Помощ", "Help"},
    {"TrackBar1", H, "Скорост на смяна на думите", "Скорост на смяна на думите"},
};

constexpr TExerciseText kMethod3[] = {
    {"Heading", C, "Метод 3", "Method 3"},
    {"Button3", C, "Повтори", "Repeat"},
    {"Button4", C, "Проверка", "Verification"},
    {"Button5", C, "Покажи", "Show"},
    {"Button9", H, "Старт/Стоп", "Start/Stop"},
    {"Button7", C, "Предходна дума", "Previous word"},
    {"Button8", C, "Следваща дума", "Next word"},
    {"Button6", C, "Следваща дума", "Next word"},
    {"Button1", H, "Изход", "Exit"},
    {"Label1", C, "Време за запаметяване", "Time for remember"},
    {"CheckBox1", C, "Случайна дума", "Random word"},
    {"SpeedButton1", H, "Помощ", "Help"},
};

constexpr TExerciseText kMethod4[] = {
    {"Heading", C, "Метод 4", "Method 4"},
    {"Button5", H, "Старт/Стоп", "Start/Stop"},
    {"Button6", C, "Предходна дума", "Previous word"},
    {"Button7", C, "Следваща дума", "Next word"},
    {"Button2", H, "Изход", "Exit"},
    {"CheckBox1", C, "Случайна дума", "Random word"},
    {"CheckBox2", C, "Изпит", "Exam"},
    {"HeaderControl1Section0", C, "Вие", "You"},
    {"HeaderControl1Section1", C, "Аз", "Me"},
    {"Label4", C, "Резултат", "Results"},
    {"SpeedButton1", H, "Помощ", "Help"},
    {"Button4", C, "Следва", "Next"},
    {"Button8", C, "Покажи", "Show"},
    {"Button3", C, "Проверка", "Verification"},
};

constexpr TExerciseText kMethod5[] = {
    {"Heading", C, "Метод 5", "Method 5"},
    {"CheckBox1", C, "Случайна дума", "Random word"},
    {"Button3", C, "Изговори", "Pronunciation"},
    {"Button2", C, "Проверка", "Verification"},
    {"Button1", C, "Покажи", "Show"},
    {"Button9", H, "Старт/Стоп", "Start/Stop"},
    {"Button7", C, "Предходна дума", "Previous word"},
    {"Button8", C, "Следваща дума", "Next word"},
    {"Button5", H, "Изход", "Exit"},
    {"Button6", H, "Помощ", "Help"},
    {"Button4", C, "Следваща дума", "Next word"},
};

constexpr TExerciseText kHangman[] = {
    {"Heading", C, "Бесеница", "Hangman"},
    {"Button3", C, "Превод", "Translation"},
    {"Button1", C, "Следваща дума", "Next word"},
    {"Button2", C, "Загуба", "Loss"},
    {"Button5", H, "Помощ", "Help"},
    {"Button4", H, "Изход", "Exit"},
    {"Label4", C, "Резултат", "Results"},
    {"HeaderControl1Section0", C, "Вие", "You"},
    {"HeaderControl1Section1", C, "Аз", "Me"},
    {"RadioButton1", C, "Случайна дума от списъка", "Random word from list"},
    {"RadioButton2", C, "Случайна дума на английски", "Random english word"},
    {"RadioButton3", C, "Поредна дума от списъка", "Next word from list"},
    {"RadioButton4", C, "Случайна дума на български", "Random Bulgarian word"},
};

struct TExercisePhraseText {
    TExercisePhrase Phrase;
    const char* Bulgarian;
    const char* English;
};

constexpr TExercisePhraseText kPhrases[] = {
    {TExercisePhrase::StopHint, "Стоп", "Stop"},
    {TExercisePhrase::StartHint, "Старт", "Старт"},
    {TExercisePhrase::Translation, "Превод", "Translation"},
    {TExercisePhrase::Continue, "Продължи", "Continue"},
    {TExercisePhrase::EmptyStudyList,
     "Списъкът за учене е празен.\nДобавете думи в него от главния прозорец и отворете "
     "упражнението отново.",
     "The study list is empty.\nAdd words to it in the main window, then open the exercise "
     "again."},
    {TExercisePhrase::NoHangmanWord,
     "Не бе намерена дума от поне три букви за този избор.\nИзберете друг вид дума и натиснете "
     "„Следваща дума“.",
     "No word of at least three letters was found for this choice.\nChoose another kind of "
     "word and press Next word."},
};

} // namespace

std::span<const TExerciseText> Method1Texts() {
    return kMethod1;
}

std::span<const TExerciseText> Method2Texts() {
    return kMethod2;
}

std::span<const TExerciseText> Method3Texts() {
    return kMethod3;
}

std::span<const TExerciseText> Method4Texts() {
    return kMethod4;
}

std::span<const TExerciseText> Method5Texts() {
    return kMethod5;
}

std::span<const TExerciseText> HangmanTexts() {
    return kHangman;
}

QString ExerciseText(std::span<const TExerciseText> table, std::string_view control,
                     ui::TTextKind kind, bool english) {
    for (const TExerciseText& text : table) {
        if (text.Kind == kind && control == text.Control) {
            return ui::TextIn(text, english);
        }
    }
    return {};
}

void ApplyTexts(QWidget& window, std::span<const TExerciseText> table, bool english) {
    for (const TExerciseText& text : table) {
        auto* control = window.findChild<QWidget*>(QString::fromLatin1(text.Control));
        if (control == nullptr) {
            continue;
        }
        ui::WriteText(control, text.Kind, ui::TextIn(text, english));
    }
}

QString ExercisePhrase(TExercisePhrase phrase, bool english) {
    for (const TExercisePhraseText& text : kPhrases) {
        if (text.Phrase == phrase) {
            return ui::TextIn(text, english);
        }
    }
    return {};
}

} // namespace exercises
