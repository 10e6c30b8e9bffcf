#include "ui/Captions.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <array>
#include <utility>

namespace ui {
namespace {

constexpr TTextKind C = TTextKind::Caption;
constexpr TTextKind H = TTextKind::Hint;

// The F1 entry is padded: 24 blanks as built, 9 as the switch writes it.
constexpr const char* kHelpBuiltIn = "&Помощ                        F1";
constexpr const char* kHelpBulgarian = "Помощ         F1";
constexpr const char* kHelpEnglish = "Help         F1";

constexpr std::array kSwitched{
    // Menus.
    TWindowText{"N18", C, "Файл", "Файл", "File"},
    TWindowText{"N19", C, "&Нов", "Нов", "New"},
    TWindowText{"N20", C, "&Отвори", "Отвори", "Open"},
    TWindowText{"N21", C, "&Запиши", "Запиши", "Close"},
    TWindowText{"N22", C, "&Изход", "Изход", "Exit"},
    TWindowText{"N23", C, "&Преговор", "Преговор", "Review"},
    TWindowText{"N24", C, "&Експорт…", "Експорт…", "Export…"},
    TWindowText{"N1", C, "Опции", "Опции", "Options"},
    TWindowText{"N10", C, "&Вид", "Вид", "View"},
    TWindowText{"N11", C, "&Стандартен", "Стандартен", "Standart"},
    TWindowText{"N12", C, "&Компактен", "Компактен", "Compact"},
    TWindowText{"N13", C, "&Език", "Език", "Language"},
    TWindowText{"N14", C, "&Български", "Български", "Bulgarian"},
    TWindowText{"N15", C, "&Английски", "Английски", "English"},
    TWindowText{"N9", C, "Специални", "Специални", "Tools"},
    TWindowText{"N16", C, "&Транскрипция", "Транскрипция", "Pronuiation Key"},
    TWindowText{"N17", C, "&Съкращения", "Съкращения", "Abbreviation Key"},
    TWindowText{"N5", C, "Български", "Български", "Bulgarian"},
    TWindowText{"N6", C, "Английски", "Английски", "English"},
    TWindowText{"N2", C, "Помощ", "Помощ", "Help"},
    TWindowText{"F11", C, kHelpBuiltIn, kHelpBulgarian, kHelpEnglish},
    TWindowText{"N3", C, "&За нас ...", "За нас ...", "About us ..."},
    TWindowText{"N4", C, "&За програмата", "За програмата", "About Dictionary"},
    TWindowText{"N7", C, "Информация за поръчки", "Информация за поръчки", "Order Info"},
    TWindowText{"N25", C, "&Напредък", "Напредък", "Progress"},
    TWindowText{"N8", C, "Поръчай", "Поръчай", "Buy Now"},
    TWindowText{"G0", C, "Информация", "Информация", "Information"},
    // The two web entries lead to free dictionaries, so they say so rather
    // than offer something to buy.
    TWindowText{"G1", C, "Изтегли речници от FreeDict", "Изтегли речници от FreeDict",
                "Download FreeDict dictionaries"},
    TWindowText{"G2", C, "Речници на WikDict", "Речници на WikDict", "WikDict dictionaries"},
    TWindowText{"Delete1", C, "&Изтрий", "&Изтрий", "&Delete"},
    // Buttons and groups.
    TWindowText{"Button5", C, "Метод 1", "Метод 1", "Method 1"},
    TWindowText{"Button9", C, "Метод 2", "Метод 2", "Method 2"},
    TWindowText{"Button11", C, "Метод 3", "Метод 3", "Method 3"},
    TWindowText{"Button16", C, "Метод 4", "Метод 4", "Method 4"},
    TWindowText{"Button12", C, "Метод 5", "Метод 5", "Method 5"},
    TWindowText{"Button14", C, "Преговор", "Преговор", "Review"},
    TWindowText{"RzGroupBox2", C, "  Гласни  ", "Гласни", "Vowels"},
    TWindowText{"RzGroupBox3", C, "  Двугласни", "Двугласни", "Diphtongs"},
    TWindowText{"RzGroupBox1", C, "  Тригласни", "Тригласни", "Triphthongs"},
    TWindowText{"RzGroupBox4", C, "  Полугласни", "Полугласни", "Semivowels"},
    TWindowText{"RzGroupBox5", C, "  Съгласни", "Съгласни", "Consonants"},
    // Hints.
    TWindowText{"Combo", H, "Напишете дума за превод", "напишете дума за превод", "Write a word"},
    TWindowText{"Button7", H, "Изговори показаната дума/фраза", "Изговори показаната дума",
                "Pronounce this word/phrase"},
    TWindowText{"SpeedButton1", H, "Запис", "Запис", "Record"},
    TWindowText{"SpeedButton2", H, "Възпроизвеждане", "Възпроизвеждане", "Play the recorded sound"},
    TWindowText{"Button1", H, "Прибавяне в списъка от думи", "Прибавяне в списъка от думи",
                "Add an item to the words list"},
    TWindowText{"Button3", H, "Отваряне на списък от думи", "Отваряне на списък от думи",
                "Open the words list"},
    TWindowText{"Button13", H, "Добавяне към списъка от думи", "Добавяне към списъка от думи",
                "Add items to the words list"},
    TWindowText{"Button2", H, "Запис на списъка от думи", "Запис на списъка от думи",
                "Save the words list"},
    TWindowText{"Button4", H, "Изчистване на списъка от думи", "Изчистване на списъка от думи",
                "Clear the words list"},
    TWindowText{"Button10", H, "Да поиграем на бесеница", "Да поиграем на бесеница",
                "Let's play with HangMan"},
    TWindowText{"SpeedButton3", H, "Продължи", "Продължи", "Continue"},
    TWindowText{"Button14", H, "Думите за преговор днес", "Думите за преговор днес",
                "The words to review today"},
};

constexpr TWindowText Fixed(const char* control, TTextKind kind, const char* text) {
    return {control, kind, text, text, text};
}

constexpr std::array kFixed{
    Fixed("TForm1", C, "Marendov Tamir English Free Dictionary"),
    Fixed("ControlC1", C, "Control-C"),
    Fixed("PopUp1", C, "PopUp"),
    Fixed("MultilingualOnlineDictionary1", C, "Multilingual Online Dictionary"),
    Fixed("Button5", H, "Метод 1"),
    Fixed("Button9", H, "Метод 2"),
    Fixed("Button11", H, "Метод 3"),
    Fixed("Button16", H, "Метод 4"),
    Fixed("Button12", H, "Метод 5"),
    Fixed("Image1", H, "Посетете нашата страница в Internet"),
    Fixed("trans", H, "Прослушване на транскрипция"),
};

struct TPhraseText {
    TPhrase Phrase;
    const char* Bulgarian;
    const char* English;
};

constexpr std::array kPhrases{
    TPhraseText{TPhrase::AreYouSure, "Сигурни ли сте ?", "Are you sure ?"},
    TPhraseText{TPhrase::WordsUnit, " Думи", " Words"},
    TPhraseText{TPhrase::WordUnit, " Дума", " Word"},
    // The file dialogs and the record button keep their Bulgarian texts.
    TPhraseText{TPhrase::OpenListTitle, "Напълни коша", "Напълни коша"},
    TPhraseText{TPhrase::SaveListTitle, "Запиши коша", "Запиши коша"},
    TPhraseText{TPhrase::RecordHint, "Запис", "Запис"},
    TPhraseText{TPhrase::StopRecordingHint, "Стоп", "Стоп"},
    TPhraseText{TPhrase::AddItemsTitle, "Добавяне към списъка от думи",
                "Add items to the words list"},
    TPhraseText{TPhrase::FindPlaceholder, "Търсене…", "Find…"},
    TPhraseText{TPhrase::PasteHeading,
                "Поставете думи, по една на ред:", "Paste words, one per line:"},
    TPhraseText{TPhrase::AddButton, "Добави", "Add"},
    TPhraseText{TPhrase::CancelButton, "Отказ", "Cancel"},
    TPhraseText{TPhrase::WordsOfLetter, "Думи на буква %1", "Words of letter %1"},
    TPhraseText{TPhrase::NotInDictionary, "няма я в речника", "not in the dictionary"},
    TPhraseText{TPhrase::ToAdd, "За добавяне: %1", "To add: %1"},
    TPhraseText{TPhrase::UnknownLeftOut, " (%1 непознати се пропускат)", " (%1 unknown left out)"},
    // The add-word dialog's buttons are Bulgarian in both languages.
    TPhraseText{TPhrase::SaveButton, "Запис", "Запис"},
    TPhraseText{TPhrase::CancelWordButton, "Отказ", "Отказ"},
    TPhraseText{TPhrase::UnstorableCharacters,
                "Думата съдържа знаци, които речникът не може да запише: %1",
                "The word holds characters the dictionary cannot store: %1"},
    TPhraseText{TPhrase::WriteTheWord, "Напишете думата.", "Write the word."},
    TPhraseText{TPhrase::WordTooLong, "Думата е по-дълга от 101 знака.",
                "The word is longer than 101 characters."},
    TPhraseText{TPhrase::MustBeginWithLetter, "Думата трябва да започва с буква.",
                "The word must begin with a letter."},
    TPhraseText{TPhrase::WriteTheTranslation, "Напишете превода на думата.",
                "Write the translation."},
    TPhraseText{TPhrase::AlreadyInDictionary,
                "„%1“ вече е в речника. Да добавя ли още едно значение?",
                "\"%1\" is already in the dictionary. Add another entry?"},
    // Asked before an edited study list would be lost.
    TPhraseText{TPhrase::SaveChangedList, "Списъкът от думи е променен. Да го запиша ли?",
                "The words list has changed. Save it?"},
    TPhraseText{TPhrase::YesButton, "Да", "Yes"},
    TPhraseText{TPhrase::NoButton, "Не", "No"},
    TPhraseText{TPhrase::ArticleCut, "[…] Статията е твърде дълга и е показана само до тук.",
                "[…] The article is too long and is shown only up to here."},
    TPhraseText{TPhrase::HelpPageNotFound, "Страницата не е намерена", "Page not found"},
    TPhraseText{TPhrase::HelpPageMissing,
                "Помощната страница %1 липсва или не може да бъде прочетена.",
                "The help page %1 is missing or cannot be read."},
    TPhraseText{TPhrase::NoWebBrowser, "Не може да се стартира уеб браузър, който да отвори %1.",
                "No web browser could be started to open %1."},
    TPhraseText{TPhrase::CannotFile, "Файлът „%1“ не може да бъде %2.", "Cannot %2 file \"%1\"."},
    TPhraseText{TPhrase::SettingsLeftAlone,
                "Програмата започва с настройките си по подразбиране и оставя файла непроменен.",
                "The program starts with its default settings and leaves the file as it is."},
    TPhraseText{TPhrase::FormResolved, "%1 → %2", "%1 → %2"},
    TPhraseText{TPhrase::AlsoPhrases, "   Вижте и: ", "   See also: "},
    TPhraseText{TPhrase::DidYouMean, "Може би: ", "Did you mean: "},
    TPhraseText{TPhrase::WordFormsOff, "Формите на думите и предложенията са изключени. %1",
                "Word forms and suggestions are off. %1"},
    TPhraseText{TPhrase::FormsFileDamaged, "Файлът „%1“ е повреден (%2).",
                "File \"%1\" is damaged (%2)."},
    TPhraseText{TPhrase::StateFolderUnusable,
                "Папката „%1“ за Вашите настройки и думи не може да бъде създадена или "
                "записана: %2. Търсенето и упражненията работят, но нищо Ваше няма да бъде "
                "запазено.",
                "The folder \"%1\" for your settings and words cannot be created or written: %2. "
                "Look-ups and exercises go on, but nothing of yours will be saved."},
    TPhraseText{TPhrase::SharedDataMissing,
                "Данните на речника в „%1“ липсват или са повредени: папките eg и bg нямат нито "
                "един от 58-те индексни файла. Инсталирайте програмата отново.",
                "The dictionary's data in \"%1\" is missing or damaged: its folders eg and bg "
                "hold none of the 58 index files. Install the program again."},
};

constexpr std::array<const char*, 8> kUsageHintsBulgarian{
    "",
    "",
    "Въведи дума и натисни :",
    "стрелка надолу или <Enter> за да намериш думата ",
    "<Ctrl> за следваща дума.",
    "Превод през Clipboard \"CTRL+C\". ",
    "",
    "Тестовете работят само с добавените думи.",
};

constexpr std::array<const char*, 8> kUsageHintsEnglish{
    "",
    "",
    "Insert a word and press :",
    "downwards arrow or <Enter> to find the word",
    "<Ctrl> for the next word.",
    "Translate from Clipboard \"CTRL+C\". ",
    "",
    "The tests in version 1.0 operate only with the words we have chosen.",
};

} // namespace

std::span<const TWindowText> SwitchedTexts() {
    return kSwitched;
}

std::span<const TWindowText> FixedTexts() {
    return kFixed;
}

const TWindowText* FindWindowText(std::string_view control, TTextKind kind) {
    for (const auto table : {SwitchedTexts(), FixedTexts()}) {
        for (const TWindowText& text : table) {
            if (text.Kind == kind && control == text.Control) {
                return &text;
            }
        }
    }
    return nullptr;
}

QString BuiltInText(std::string_view control, TTextKind kind) {
    const TWindowText* text = FindWindowText(control, kind);
    return text == nullptr ? QString() : QString::fromUtf8(text->BuiltIn);
}

QString WindowText(std::string_view control, TTextKind kind, TLanguage language) {
    const TWindowText* text = FindWindowText(control, kind);
    return text == nullptr ? QString() : TextIn(*text, language);
}

QString Phrase(TPhrase phrase, TLanguage language) {
    for (const TPhraseText& text : kPhrases) {
        if (text.Phrase == phrase) {
            return TextIn(text, language);
        }
    }
    return {};
}

QString CountLabel(int count, TLanguage language) {
    return QString::number(count) +
           Phrase(count == 1 ? TPhrase::WordUnit : TPhrase::WordsUnit, language);
}

QStringList UsageHintLines(TLanguage language) {
    QStringList lines;
    for (const char* line :
         language == TLanguage::English ? kUsageHintsEnglish : kUsageHintsBulgarian) {
        lines << QString::fromUtf8(line);
    }
    return lines;
}

void WriteText(QObject* target, TTextKind kind, const QString& text) {
    if (kind == TTextKind::Hint) {
        if (auto* widget = qobject_cast<QWidget*>(target)) {
            widget->setToolTip(text);
        }
        return;
    }
    if (auto* action = qobject_cast<QAction*>(target)) {
        action->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(target)) {
        group->setTitle(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(target)) {
        label->setText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(target)) {
        edit->setText(text);
    }
}

} // namespace ui
