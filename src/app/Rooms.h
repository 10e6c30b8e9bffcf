#pragma once

#include "app/Learning.h"
#include "app/Options.h"
#include "dictionary/LetterIndex.h"
#include "dictionary/LookupService.h"
#include "exercises/HangmanGame.h"
#include "exercises/MainWindowSeams.h"
#include "exercises/NextWord.h"
#include "interface/LanguageSwitch.h"
#include "interface/ReferencePages.h"
#include "interface/ViewModes.h"
#include "lookup/LookupWindow.h"
#include "platform/Random.h"
#include "sound/MainWindowSound.h"
#include "studylist/StudyList.h"
#include "studylist/UserDictionary.h"
#include "wordforms/WordFormsResolver.h"

#include <memory>

namespace lookup {
class TClipboardWatcher;
} // namespace lookup

namespace app {

// The rooms of the main window for the whole run, made by the composition in
// this order and destroyed in the reverse one.
struct TRooms {
    dictionary::DictionaryIndex Index;
    // Word forms and suggestions for the look-up, read at its first need.
    std::unique_ptr<wordforms::TWordFormsResolver> WordForms;
    dictionary::TLookupService Dictionary{Index};
    // Every draw of the exercises comes from this one source.
    platform::TRandom Random;
    exercises::TListOrder NextWords{Random};
    std::unique_ptr<TOptions> Options;
    std::unique_ptr<lookup::TLookupWindow> Lookup;
    std::unique_ptr<sound::TMainWindowSound> Sound;
    lookup::TClipboardWatcher* Clipboard = nullptr; // a child of the window
    std::unique_ptr<studylist::TUserDictionary> UserDictionary;
    std::unique_ptr<studylist::TStudyList> StudyList;
    std::unique_ptr<interface::TLanguageSwitch> Language;
    std::unique_ptr<interface::TViewModes> View;
    std::unique_ptr<interface::TReferencePages> Pages;
    exercises::TPlayEndListeners PlayEnd;
    // The learning record, which the exercises' answers go to.
    std::unique_ptr<TLearning> Learning;
};

} // namespace app
