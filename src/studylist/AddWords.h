#pragma once

#include "dictionary/LetterIndex.h"
#include "ui/Dialogs.h"

#include <QDialog>

#include <optional>
#include <string>
#include <utility>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace studylist {

// The head-word a typed or pasted word stands for: the same head-word, or
// else the first that differs from it only in letter case; nothing when the
// dictionary does not hold it. Spaces around the word are ignored.
std::optional<std::string> KnownHeadWord(const dictionary::DictionaryIndex& index,
                                         const QString& word);

// Adding several words to the study list at once: head-words picked from a
// letter's list (narrowed by a filter whose first character may choose
// another letter), and words pasted one per line, each shown as found or as
// missing from the dictionary. Missing words are never added.
class TAddWords : public QDialog {
public:
    TAddWords(const dictionary::DictionaryIndex& index, int tab, bool english,
              const ui::TDialogLook& look, QWidget* parent = nullptr);

    // The picked head-words in the order they were picked, then the pasted
    // words the dictionary holds; each once.
    std::vector<std::string> ChosenWords() const;
    // Pasted lines the dictionary does not hold.
    QStringList UnknownWords() const;
    // The letter whose head-words are listed.
    int ListedTab() const { return listedTab_; }

    QLabel* Heading = nullptr;
    QLineEdit* Filter = nullptr;
    QListWidget* HeadWordList = nullptr;
    QPlainTextEdit* PasteBox = nullptr;
    QListWidget* CheckList = nullptr;
    QLabel* Summary = nullptr;
    QPushButton* AddButton = nullptr;
    QPushButton* CancelButton = nullptr;

private:
    using TKey = std::pair<int, std::size_t>; // letter tab, position in it

    void FillList();
    void SelectionChanged();
    void CheckPasted();
    void UpdateSummary();

    const dictionary::DictionaryIndex& index_;
    int tab_;
    bool english_;
    QColor warning_;
    int listedTab_ = dictionary::kNoTab;
    bool filling_ = false;
    std::vector<TKey> chosen_;
    std::vector<std::string> pastedKnown_;
    QStringList pastedUnknown_;
};

} // namespace studylist
