#pragma once

#include "exercises/ShowRules.h"

namespace exercises {

// Method 2, a self-running word show with the translation hidden:
// Translation pauses the show and shows the article, Continue hides it and
// lets the show run on. The show runs exactly while its timer is on.
class TMethod2Rules : public TShowRules {
public:
    TMethod2Rules(TExerciseSteps& steps, TNextWordSource& words) : TShowRules(steps, words) {}

    void Open();
    // Start and Stop alike show the next word first.
    void StartOrStop();
    // Both ignored while the translation is shown.
    void NextWord() override;
    void PreviousWord() override;
    // Translation while the word is shown alone, Continue while its article
    // is.
    void TranslationOrContinue();
    void PlayEnded() override;

    // No blinking over the translation either.
    bool BlinkAllowed() const override { return !showingTranslation_ && !startStop_.Running; }

    bool ShowingTranslation() const { return showingTranslation_; }
    // Translation, once a word was shown.
    bool TranslationEnabled() const { return translationEnabled_; }
    bool ArticleVisible() const { return articleVisible_; }

private:
    void ShowCurrentWord(TCaller caller) override;
    void RunShow(bool on);

    bool showingTranslation_ = false;
    bool translationEnabled_ = false;
    bool articleVisible_ = false;
};

} // namespace exercises
