#include "exercises/HangmanGame.h"

#include "dictionary/Letters.h"
#include "platform/Cp1251.h"

namespace exercises {

namespace {

std::uint8_t Byte(char c) {
    return static_cast<std::uint8_t>(c);
}

char Lower(char c) {
    return static_cast<char>(platform::Cp1251Lower(Byte(c)));
}

char Upper(char c) {
    return static_cast<char>(platform::Cp1251Upper(Byte(c)));
}

// Letter tabs of the random options: A..Y (the English option never offers a
// word beginning with Z) and the 32 Cyrillic letters А..Я.
constexpr int kFirstEnglishTab = 0;
constexpr int kEnglishTabs = 25;
constexpr int kFirstBulgarianTab = dictionary::kLatinCount;
constexpr int kBulgarianTabs = dictionary::kLetterCount - dictionary::kLatinCount;

// Next word passes over what would be won without a key pressed.
bool LongEnough(const std::string& word) {
    return word.size() >= kMinWordLength && LeavesLettersToGuess(word);
}

std::optional<std::string> StudyRandomWord(THangmanWords& words, platform::TRandom& random) {
    // Drawing among the suitable entries is the same choice as drawing until
    // a suitable one comes up, and it ends even when there is none.
    std::vector<int> suitable;
    for (int i = 0; i < words.StudyCount(); ++i) {
        if (LongEnough(words.StudyEntry(i))) {
            suitable.push_back(i);
        }
    }
    if (suitable.empty()) {
        return std::nullopt;
    }
    return words.StudyEntry(
        suitable[static_cast<std::size_t>(random.Below(static_cast<int>(suitable.size())))]);
}

std::optional<std::string> StudyNextWord(THangmanWords& words) {
    // One round of the list visits every entry once.
    const int count = words.StudyCount();
    for (int step = 0; step < count; ++step) {
        int next = words.StudySelected() + 1;
        if (next < 0 || next >= count) {
            next = 0;
        }
        words.SelectStudy(next);
        std::string entry = words.StudyEntry(next);
        if (LongEnough(entry)) {
            return entry;
        }
    }
    return std::nullopt;
}

std::optional<std::string> RandomHeadWord(THangmanWords& words, platform::TRandom& random,
                                          int firstTab, int tabs) {
    for (int draw = 0; draw < kMaxWordDraws; ++draw) {
        const int tab = firstTab + random.Below(tabs);
        const int count = words.HeadWordCount(tab);
        if (count <= 0) {
            continue;
        }
        std::string word = words.HeadWord(tab, random.Below(count));
        if (LongEnough(word)) {
            words.ShowLetter(tab);
            return word;
        }
    }
    return std::nullopt;
}

} // namespace

std::string THangmanScore::Text() const {
    return std::to_string(You) + " - " + std::to_string(Me);
}

THangmanGame::THangmanGame(THangmanScore& score) : score_(score) {}

void THangmanGame::Init(std::string_view word) {
    givenWord_ = word;
    givenAt_.reset();
    if (observer_ != nullptr) {
        givenAt_ = observer_->Now();
    }
    secretWord_.clear();
    for (char c : word) {
        secretWord_ += Lower(c);
    }
    pattern_.clear();
    triedText_.clear();
    tried_.fill(false);
    wordLetters_.fill(false);
    misses_ = 0;
    lettersLeft_ = 0;
    completeAtInit_ = false;
    const std::size_t length = secretWord_.size();
    revealed_.assign(length, false);
    if (length == 0) {
        state_ = THangmanState::NoGame;
        return;
    }

    tried_[Byte(secretWord_.front())] = true;
    tried_[Byte(secretWord_.back())] = true;
    pattern_.assign(2 * length - 1, ' ');
    for (std::size_t i = 0; i < length; ++i) {
        const char c = secretWord_[i];
        wordLetters_[Byte(c)] = true;
        if (tried_[Byte(c)]) {
            revealed_[i] = true;
            pattern_[2 * i] = Upper(c);
        } else {
            pattern_[2 * i] = '_';
            ++lettersLeft_;
        }
    }

    if (lettersLeft_ == 0) {
        completeAtInit_ = true;
        state_ = THangmanState::Won;
        ++score_.You;
    } else {
        state_ = THangmanState::Playing;
    }
}

THangmanGuess THangmanGame::Guess(char c) {
    const char folded = Lower(c);
    if (state_ != THangmanState::Playing || tried_[Byte(folded)]) {
        return THangmanGuess::Ignored;
    }
    triedText_ += Upper(c);
    tried_[Byte(folded)] = true;

    if (wordLetters_[Byte(folded)]) {
        for (std::size_t i = 0; i < secretWord_.size(); ++i) {
            if (!revealed_[i] && secretWord_[i] == folded) {
                revealed_[i] = true;
                pattern_[2 * i] = Upper(folded);
                --lettersLeft_;
            }
        }
        if (lettersLeft_ > 0) {
            return THangmanGuess::Hit;
        }
        state_ = THangmanState::Won;
        ++score_.You;
        Judged(learning::TAnswerKind::Right);
        return THangmanGuess::Won;
    }

    if (++misses_ < kStrokes) {
        return THangmanGuess::Miss;
    }
    RevealAll();
    state_ = THangmanState::Lost;
    ++score_.Me;
    Judged(learning::TAnswerKind::Lost);
    return THangmanGuess::Lost;
}

bool THangmanGame::GiveUp() {
    if (state_ != THangmanState::Playing) {
        return false;
    }
    RevealAll();
    state_ = THangmanState::Lost;
    ++score_.Me;
    Judged(learning::TAnswerKind::Lost);
    return true;
}

bool THangmanGame::IsTried(char c) const {
    return tried_[Byte(Lower(c))];
}

bool THangmanGame::InWord(char c) const {
    return wordLetters_[Byte(Lower(c))];
}

bool THangmanGame::CanTranslate() const {
    return (state_ == THangmanState::Won || state_ == THangmanState::Lost) && !completeAtInit_;
}

void THangmanGame::Judged(learning::TAnswerKind kind) const {
    if (observer_ != nullptr) {
        TJudgedAnswer answer{learning::TExercise::Hangman, givenWord_, kind};
        if (givenAt_) {
            answer.Seconds = std::chrono::duration<double>(observer_->Now() - *givenAt_).count();
        }
        observer_->Answered(answer);
    }
}

void THangmanGame::RevealAll() {
    for (std::size_t i = 0; i < secretWord_.size(); ++i) {
        revealed_[i] = true;
        pattern_[2 * i] = Upper(secretWord_[i]);
    }
    lettersLeft_ = 0;
}

TSeamHangmanWords::TSeamHangmanWords(TStudyWords& study, TLookupSteering& lookup)
    : study_(study), lookup_(lookup) {}

int TSeamHangmanWords::StudyCount() const {
    return study_.Count();
}

std::string TSeamHangmanWords::StudyEntry(int position) const {
    return study_.Entry(position);
}

int TSeamHangmanWords::StudySelected() const {
    return study_.Selected();
}

void TSeamHangmanWords::SelectStudy(int position) {
    study_.Select(position);
}

int TSeamHangmanWords::HeadWordCount(int tab) const {
    if (!dictionary::IsValidTab(tab)) {
        return 0;
    }
    return static_cast<int>(lookup_.Dictionary().Index().Letter(tab).Size());
}

std::string TSeamHangmanWords::HeadWord(int tab, int position) const {
    return std::string(lookup_.Dictionary().HeadWordAt(tab, position).value_or(""));
}

void TSeamHangmanWords::ShowLetter(int tab) {
    lookup_.SetTabIndex(tab);
    lookup_.FillSearchBox();
}

std::optional<std::string> ChooseHangmanWord(THangmanSource source, THangmanWords& words,
                                             platform::TRandom& random) {
    switch (source) {
    case THangmanSource::StudyRandom:
        return StudyRandomWord(words, random);
    case THangmanSource::StudyNext:
        return StudyNextWord(words);
    case THangmanSource::EnglishRandom:
        return RandomHeadWord(words, random, kFirstEnglishTab, kEnglishTabs);
    case THangmanSource::BulgarianRandom:
        return RandomHeadWord(words, random, kFirstBulgarianTab, kBulgarianTabs);
    }
    return std::nullopt;
}

bool StartNextGame(THangmanGame& game, THangmanSource source, THangmanWords& words,
                   platform::TRandom& random) {
    const auto word = ChooseHangmanWord(source, words, random);
    if (!word) {
        return false;
    }
    game.Init(*word);
    return true;
}

bool LeavesLettersToGuess(std::string_view word) {
    if (word.empty()) {
        return false;
    }
    const char first = Lower(word.front());
    const char last = Lower(word.back());
    for (const char c : word) {
        if (Lower(c) != first && Lower(c) != last) {
            return true;
        }
    }
    return false;
}

bool StartFirstStudyGame(THangmanGame& game, std::string_view firstEntry, THangmanWords& words) {
    if (LongEnough(std::string(firstEntry))) {
        game.Init(firstEntry);
        return true;
    }
    if (words.StudyCount() > 0) {
        words.SelectStudy(0);
        if (const auto word = StudyNextWord(words)) {
            game.Init(*word);
            return true;
        }
    }
    game.Init({});
    return false;
}

THangmanOpening StartOpeningGame(THangmanGame& game, THangmanWords& words,
                                 platform::TRandom& random) {
    if (words.StudyCount() > 0) {
        if (words.StudySelected() < 0) {
            words.SelectStudy(0);
        }
        StartFirstStudyGame(game, words.StudyEntry(0), words);
        return {THangmanSource::StudyRandom, true};
    }
    StartNextGame(game, THangmanSource::EnglishRandom, words, random);
    return {THangmanSource::EnglishRandom, false};
}

} // namespace exercises
