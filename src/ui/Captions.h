#pragma once

#include <QString>
#include <QStringList>

#include <span>
#include <string_view>

// Every text the program shows in two languages, as data in one place: the
// main window's captions and hints, and the texts chosen when they are shown.
class QObject;

namespace ui {

enum class TLanguage { Bulgarian, English };

inline TLanguage LanguageOf(bool english) {
    return english ? TLanguage::English : TLanguage::Bulgarian;
}

enum class TTextKind { Caption, Hint };

// Every table of texts in two languages has its rows in one shape: the
// Bulgarian text in a member Bulgarian, then the English one in English
// (UTF-8). This picks a row's text in a language.
template <typename TRow> QString TextIn(const TRow& row, TLanguage language) {
    return QString::fromUtf8(language == TLanguage::English ? row.English : row.Bulgarian);
}
template <typename TRow> QString TextIn(const TRow& row, bool english) {
    return TextIn(row, LanguageOf(english));
}

// One text of a main-window control, named as the window names its
// components (`N19`, `Button7`, `RzGroupBox2` ...).
struct TWindowText {
    const char* Control;
    TTextKind Kind;
    const char* BuiltIn;   // what the window is built with
    const char* Bulgarian; // what the language switch writes
    const char* English;
};

// The texts the language switch rewrites, in the order it writes them. The
// built-in Bulgarian captions differ from the switch's in places (accelerator
// ampersands, paddings), which shows after switching to English and back.
std::span<const TWindowText> SwitchedTexts();
// The texts that stay as built in both languages.
std::span<const TWindowText> FixedTexts();

// Looks a control's text up in both tables; null when there is none.
const TWindowText* FindWindowText(std::string_view control, TTextKind kind = TTextKind::Caption);
// The text the window is built with; empty for an unknown control.
QString BuiltInText(std::string_view control, TTextKind kind = TTextKind::Caption);
// The text in a language; a fixed text is the same in both.
QString WindowText(std::string_view control, TTextKind kind, TLanguage language);

// Writes a text to a named component: a menu's or item's caption, a group's
// title, a button's, label's or line edit's text, or a hint.
void WriteText(QObject* target, TTextKind kind, const QString& text);

// Texts chosen when they are shown, from the interface language of that
// moment.
enum class TPhrase {
    AreYouSure,
    WordsUnit, // the count label: " Думи" / " Words"
    WordUnit,  // ... for exactly one entry
    OpenListTitle,
    SaveListTitle,
    RecordHint,
    StopRecordingHint,
    // The add-several-words dialog.
    AddItemsTitle,
    FindPlaceholder,
    PasteHeading,
    AddButton,
    CancelButton,
    WordsOfLetter,
    NotInDictionary,
    ToAdd,
    UnknownLeftOut,
    // The add-word dialog.
    SaveButton,
    CancelWordButton,
    UnstorableCharacters,
    WriteTheWord,
    WordTooLong,
    MustBeginWithLetter,
    WriteTheTranslation,
    AlreadyInDictionary,
    // The study list's question before an edited list would be lost; its
    // Cancel button is CancelButton.
    SaveChangedList,
    YesButton,
    NoButton,
    // Ends an article too long to be shown whole.
    ArticleCut,
    // The help window's page when its file cannot be shown; %1 is the file.
    HelpPageNotFound,
    HelpPageMissing,
    // A web link no browser could open; %1 is the address.
    NoWebBrowser,
    // A file operation that failed (ui::FileErrorMessage): %1 the file, %2
    // the operation's word in its table there.
    CannotFile,
    // After a settings file that cannot be read at start.
    SettingsLeftAlone,
    // The line above an article: a word form resolved (%1 the word, %2 its
    // base head-word), the phrases that begin with the word, spelling
    // suggestions, and word forms off (%1 why).
    FormResolved,
    AlsoPhrases,
    DidYouMean,
    WordFormsOff,
    // A word-form file read whole but damaged: %1 the file, %2 what is wrong.
    FormsFileDamaged,
    // The installed program's own folder for the user: %1 the folder, %2 why.
    StateFolderUnusable,
    // The installed program's shared data: %1 the folder.
    SharedDataMissing,
};

QString Phrase(TPhrase phrase, TLanguage language);
inline QString Phrase(TPhrase phrase, bool english) {
    return Phrase(phrase, LanguageOf(english));
}

// The count label: the number followed by the unit, singular for exactly one.
QString CountLabel(int count, TLanguage language);

// The usage hints the article pane shows at start.
QStringList UsageHintLines(TLanguage language);

} // namespace ui
