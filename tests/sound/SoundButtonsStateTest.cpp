// The sound buttons' state without widgets: which buttons each sequence of
// presses, ends and look-ups leaves usable.
#include "sound/SoundButtonsState.h"

#include <gtest/gtest.h>

namespace {

using sound::TSoundButtonsState;
using sound::TSoundButtonsView;

TSoundButtonsView Buttons(bool pronounce, bool record, bool playBack, bool showsStop = false) {
    return {pronounce, record, playBack, showsStop};
}

TSoundButtonsState WithRecording() {
    TSoundButtonsState state;
    state.RecordingStarted();
    state.RecordingStopped(true);
    return state;
}

TEST(SoundButtonsState, StartsWithPronounceAndRecordOnly) {
    const TSoundButtonsState state;
    EXPECT_EQ(state.View(), Buttons(true, true, false));
    EXPECT_TRUE(state.PronounceAllowed());
}

TEST(SoundButtonsState, PronouncingLocksAllThreeUntilTheEnd) {
    TSoundButtonsState state = WithRecording();
    state.PronounceStarted();
    EXPECT_EQ(state.View(), Buttons(false, false, false));
    state.PronounceEnded();
    EXPECT_EQ(state.View(), Buttons(true, true, true));
}

TEST(SoundButtonsState, AFailedPronunciationLeavesEveryButtonAsBeforeThePress) {
    TSoundButtonsState state = WithRecording();
    const TSoundButtonsView before = state.View();
    state.PronounceStarted();
    state.PronounceFailed();
    EXPECT_EQ(state.View(), before);
    EXPECT_FALSE(state.Pronouncing());
    // Not busy any more: a Bulgarian letter takes the button at once.
    state.LetterChanged(false);
    EXPECT_FALSE(state.View().Pronounce);

    TSoundButtonsState offeredByLookup;
    offeredByLookup.LetterChanged(false);
    offeredByLookup.SearchTextChanged(true);
    offeredByLookup.PronounceStarted();
    offeredByLookup.PronounceFailed();
    EXPECT_TRUE(offeredByLookup.View().Pronounce) << "as the look-up had left it";
}

TEST(SoundButtonsState, LetterChangesDuringAPronunciationDecideTheButtonAtTheEnd) {
    TSoundButtonsState state;
    state.PronounceStarted();
    state.LetterChanged(false);
    EXPECT_FALSE(state.View().Pronounce);
    state.PronounceEnded();
    EXPECT_FALSE(state.View().Pronounce) << "a Bulgarian letter has no pronunciations";

    state.PronounceStarted();
    state.LetterChanged(false);
    state.LetterChanged(true);
    EXPECT_FALSE(state.View().Pronounce) << "only the end gives it back";
    state.PronounceEnded();
    EXPECT_TRUE(state.View().Pronounce);
}

TEST(SoundButtonsState, ALookUpDuringAPronunciationOffersTheNextOne) {
    TSoundButtonsState state;
    state.PronounceStarted();
    state.SearchTextChanged(true);
    EXPECT_EQ(state.View(), Buttons(true, false, false));
    state.PronounceStarted();
    state.PronounceEnded();
    EXPECT_EQ(state.View(), Buttons(true, true, false));
}

TEST(SoundButtonsState, RecordingWithholdsPronounceAndPlayBackWhateverIsLookedUp) {
    TSoundButtonsState state = WithRecording();
    state.RecordingStarted();
    EXPECT_EQ(state.View(), Buttons(false, true, false, true));
    EXPECT_FALSE(state.HasRecording()) << "the new recording replaces the old one";
    state.SearchTextChanged(true);
    state.LetterChanged(true);
    EXPECT_EQ(state.View(), Buttons(false, true, false, true));
    // A pronunciation's end during the recording, from any window.
    state.PronounceEnded();
    EXPECT_EQ(state.View(), Buttons(false, true, false, true));

    state.RecordingStopped(true);
    EXPECT_EQ(state.View(), Buttons(true, true, true));
}

TEST(SoundButtonsState, AnEmptyRecordingOffersNoPlayBack) {
    TSoundButtonsState state;
    state.RecordingStarted();
    state.RecordingStopped(false);
    EXPECT_EQ(state.View(), Buttons(true, true, false));
}

TEST(SoundButtonsState, PlayBackLocksAllThreeUntilItEnds) {
    TSoundButtonsState state = WithRecording();
    state.LetterChanged(false);
    state.PlayBackStarted();
    EXPECT_EQ(state.View(), Buttons(false, false, false));
    state.PlayBackEnded();
    EXPECT_EQ(state.View(), Buttons(true, true, true)) << "pronounce comes back on any letter";

    state.PlayBackEnded();
    EXPECT_EQ(state.View(), Buttons(true, true, true)) << "a second end changes nothing";
}

TEST(SoundButtonsState, ALookUpDuringPlayBackOffersPronounceWhichStopsIt) {
    TSoundButtonsState state = WithRecording();
    state.PlayBackStarted();
    state.SearchTextChanged(true);
    EXPECT_EQ(state.View(), Buttons(true, false, false));
    state.PlayBackEnded();
    state.PronounceStarted();
    EXPECT_EQ(state.View(), Buttons(false, false, false));
    state.PronounceEnded();
    EXPECT_EQ(state.View(), Buttons(true, true, true));
}

} // namespace
