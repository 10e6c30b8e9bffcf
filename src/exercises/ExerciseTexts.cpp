#include "exercises/ExerciseTexts.h"

#include <QWidget>

namespace exercises {
namespace {

constexpr ui::TTextKind C = ui::TTextKind::Caption;
constexpr ui::TTextKind H = ui::TTextKind::Hint;

constexpr TExerciseText kMethod1[] = {
    {"Heading", C, "Method 1", "Метод 1"},
    {"Label4", C, "Word", "Дума"},
    {"Label5", C, "Translation", "Значение"},
    {"Label1", C, "Speed", "Скорост"},
    {"CheckBox1", C, "Speach", "Говор"},
    {"Button4", C, "Previous word", "Предходна дума"},
    {"Button5", C, "Next word", "Следваща дума"},
    {"Button3", H, "Start/Stop", "Старт/Стоп"},
    {"Button7", H, "Pronounce this word/phrase", "Изговори показаната дума"},
    {"Button1", H, "Exit", "Изход"},
    {"SpeedButton1", H, "Help", "Помощ"},
    {"TrackBar1", H, "Скорост на смяна на думите", "Скорост на смяна на думите"},
};

constexpr TExerciseText kMethod2[] = {
    {"Heading", C, "Method 2", "Метод 2"},
    {"Label4", C, "Word", "Дума"},
    {"SpeedButton1", C, "Translation", "Превод"},
    {"Label1", C, "Speed", "Скорост"},
    {"CheckBox1", C, "Speach", "Говор"},
    {"Button4", C, "Previous word", "Предходна дума"},
    {"Button6", C, "Next word", "Следваща дума"},
    {"Button3", H, "Start/Stop", "Старт/Стоп"},
    {"Button7", H, "Pronounce this word/phrase", "Изговори показаната дума"},
    {"Button1", H, "Exit", "Изход"},
    {"SpeedButton2", H, "Help", "Помощ"},
    {"TrackBar1", H, "Скорост на смяна на думите", "Скорост на смяна на думите"},
};

constexpr TExerciseText kMethod3[] = {
    {"Heading", C, "Method 3", "Метод 3"},
    {"Button3", C, "Repeat", "Повтори"},
    {"Button4", C, "Verification", "Проверка"},
    {"Button5", C, "Show", "Покажи"},
    {"Button9", H, "Start/Stop", "Старт/Стоп"},
    {"Button7", C, "Previous word", "Предходна дума"},
    {"Button8", C, "Next word", "Следваща дума"},
    {"Button6", C, "Next word", "Следваща дума"},
    {"Button1", H, "Exit", "Изход"},
    {"Label1", C, "Time for remember", "Време за запаметяване"},
    {"CheckBox1", C, "Random word", "Случайна дума"},
    {"SpeedButton1", H, "Help", "Помощ"},
};

constexpr TExerciseText kMethod4[] = {
    {"Heading", C, "Method 4", "Метод 4"},
    {"Button5", H, "Start/Stop", "Старт/Стоп"},
    {"Button6", C, "Previous word", "Предходна дума"},
    {"Button7", C, "Next word", "Следваща дума"},
    {"Button2", H, "Exit", "Изход"},
    {"CheckBox1", C, "Random word", "Случайна дума"},
    {"CheckBox2", C, "Exam", "Изпит"},
    {"HeaderControl1Section0", C, "You", "Вие"},
    {"HeaderControl1Section1", C, "Me", "Аз"},
    {"Label4", C, "Results", "Резултат"},
    {"SpeedButton1", H, "Help", "Помощ"},
    {"Button4", C, "Next", "Следва"},
    {"Button8", C, "Show", "Покажи"},
    {"Button3", C, "Verification", "Проверка"},
};

constexpr TExerciseText kMethod5[] = {
    {"Heading", C, "Method 5", "Метод 5"},
    {"CheckBox1", C, "Random word", "Случайна дума"},
    {"Button3", C, "Pronunciation", "Изговори"},
    {"Button2", C, "Verification", "Проверка"},
    {"Button1", C, "Show", "Покажи"},
    {"Button9", H, "Start/Stop", "Старт/Стоп"},
    {"Button7", C, "Previous word", "Предходна дума"},
    {"Button8", C, "Next word", "Следваща дума"},
    {"Button5", H, "Exit", "Изход"},
    {"Button6", H, "Help", "Помощ"},
    {"Button4", C, "Next word", "Следваща дума"},
};

constexpr TExerciseText kHangman[] = {
    {"Heading", C, "Hangman", "Бесеница"},
    {"Button3", C, "Translation", "Превод"},
    {"Button1", C, "Next word", "Следваща дума"},
    {"Button2", C, "Loss", "Загуба"},
    {"Button5", H, "Help", "Помощ"},
    {"Button4", H, "Exit", "Изход"},
    {"Label4", C, "Results", "Резултат"},
    {"HeaderControl1Section0", C, "You", "Вие"},
    {"HeaderControl1Section1", C, "Me", "Аз"},
    {"RadioButton1", C, "Random word from list", "Случайна дума от списъка"},
    {"RadioButton2", C, "Random english word", "Случайна дума на английски"},
    {"RadioButton3", C, "Next word from list", "Поредна дума от списъка"},
    {"RadioButton4", C, "Random Bulgarian word", "Случайна дума на български"},
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
            return QString::fromUtf8(english ? text.English : text.Bulgarian);
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
        ui::WriteText(control, text.Kind,
                      QString::fromUtf8(english ? text.English : text.Bulgarian));
    }
}

QString ExercisePhrase(TExercisePhrase phrase, bool english) {
    switch (phrase) {
    case TExercisePhrase::StopHint:
        return english ? QStringLiteral("Stop") : QStringLiteral("Стоп");
    case TExercisePhrase::StartHint:
        return QStringLiteral("Старт");
    case TExercisePhrase::Translation:
        return english ? QStringLiteral("Translation") : QStringLiteral("Превод");
    case TExercisePhrase::Continue:
        return english ? QStringLiteral("Continue") : QStringLiteral("Продължи");
    case TExercisePhrase::EmptyStudyList:
        return english ? QStringLiteral("The study list is empty.\nAdd words to it in the main "
                                        "window, then open the exercise again.")
                       : QStringLiteral("Списъкът за учене е празен.\nДобавете думи в него от "
                                        "главния прозорец и отворете упражнението отново.");
    case TExercisePhrase::NoHangmanWord:
        return english ? QStringLiteral("No word of at least three letters was found for this "
                                        "choice.\nChoose another kind of word and press Next word.")
                       : QStringLiteral("Не бе намерена дума от поне три букви за този избор.\n"
                                        "Изберете друг вид дума и натиснете „Следваща дума“.");
    }
    return {};
}

} // namespace exercises
