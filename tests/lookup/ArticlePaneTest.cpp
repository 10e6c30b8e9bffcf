#include "lookup/RichEditDblClick.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// The line above the article on a real pane: where it sits, what it leaves
// of the article's place, and that its words look up on a click.
namespace lookup {
namespace {

class ArticlePaneNoteTest : public ::testing::Test {
protected:
    void SetUp() override {
        pane_ = std::make_unique<TRichEditDblClick>();
        pane_->resize(420, 300);
        pane_->OnNoteClick = [this](const std::string& headWord) { clicked_.push_back(headWord); };
        pane_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(pane_.get()));
        pane_->LoadArticle("go [gou] v. ");
        note_ = pane_->findChild<TNoteStrip*>();
        ASSERT_NE(note_, nullptr);
    }

    QRect Article() const { return pane_->viewport()->geometry(); }

    std::unique_ptr<TRichEditDblClick> pane_;
    TNoteStrip* note_ = nullptr;
    std::vector<std::string> clicked_;
};

TEST_F(ArticlePaneNoteTest, PlainLinesTakeOneFixedLineAboveTheArticle) {
    const QRect bare = Article();
    pane_->ShowNote({{QStringLiteral("went → go"), {}}});
    const QRect withNote = Article();
    EXPECT_EQ(pane_->NoteText(), QStringLiteral("went → go"));
    EXPECT_TRUE(note_->isVisible());
    EXPECT_GT(withNote.top(), bare.top());
    EXPECT_EQ(withNote.bottom(), bare.bottom());
    // The strip ends where the article begins and holds its whole line.
    EXPECT_EQ(note_->geometry().bottom() + 1, withNote.top());
    EXPECT_GE(note_->height(), note_->fontMetrics().height());

    // Another form's line, in the other alphabet, moves nothing.
    pane_->LoadArticle("къща ж. ");
    pane_->ShowNote({{QStringLiteral("къщата → къща"), {}}});
    EXPECT_EQ(Article(), withNote);
    EXPECT_EQ(pane_->NoteText(), QStringLiteral("къщата → къща"));

    pane_->ShowNote({});
    EXPECT_EQ(Article(), bare);
    EXPECT_TRUE(pane_->NoteText().isEmpty());
}

TEST_F(ArticlePaneNoteTest, TheLineGoesWithTheArticleItWasShownOver) {
    pane_->ShowNote({{QStringLiteral("went → go"), {}}});
    const QRect bare = Article();
    pane_->LoadArticle("book n. ");
    EXPECT_TRUE(pane_->NoteText().isEmpty()) << "not said of the new article";
    QApplication::processEvents();
    EXPECT_TRUE(note_->isHidden());
    EXPECT_LT(Article().top(), bare.top());
}

TEST_F(ArticlePaneNoteTest, SuggestionsLookUpOnAClickAfterAPlainLine) {
    // A plain line first: the words of the next line must still be links.
    pane_->ShowNote({{QStringLiteral("went → go"), {}}});
    pane_->ShowNote({{QStringLiteral("receive"), "receive"},
                     {QStringLiteral(", "), {}},
                     {QStringLiteral("recipe"), "recipe"}});
    EXPECT_EQ(pane_->NoteText(), QStringLiteral("receive, recipe"));
    // The first word begins at the strip's left margin.
    const QPoint onFirstWord(14, note_->height() / 2);
    QTest::mouseClick(note_, Qt::LeftButton, {}, onFirstWord);
    EXPECT_EQ(clicked_, std::vector<std::string>{"receive"});
    // Past the last word is no word.
    QTest::mouseClick(note_, Qt::LeftButton, {}, QPoint(note_->width() - 4, note_->height() / 2));
    EXPECT_EQ(clicked_.size(), 1U);
}

TEST_F(ArticlePaneNoteTest, TabReachesEachSuggestionAndEnterLooksItUp) {
    pane_->ShowNote({{QStringLiteral("Did you mean: "), {}},
                     {QStringLiteral("receive"), "receive"},
                     {QStringLiteral(", "), {}},
                     {QStringLiteral("recipe"), "recipe"}});
    pane_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(pane_.get()));
    note_->setFocus(Qt::TabFocusReason);
    QTest::keyClick(note_, Qt::Key_Return);
    QTest::keyClick(note_, Qt::Key_Tab);
    QTest::keyClick(note_, Qt::Key_Return);
    QTest::keyClick(note_, Qt::Key_Backtab);
    QTest::keyClick(note_, Qt::Key_Space);
    EXPECT_EQ(clicked_, (std::vector<std::string>{"receive", "recipe", "receive"}));

    // A plain line offers nothing to the keyboard.
    pane_->ShowNote({{QStringLiteral("went → go"), {}}});
    EXPECT_EQ(note_->focusPolicy(), Qt::NoFocus);
}

TEST_F(ArticlePaneNoteTest, EightSuggestionsWrapInANarrowPane) {
    pane_->ShowNote({{QStringLiteral("went → go"), {}}});
    const int oneLine = note_->height();
    std::vector<TNotePart> parts = {{QStringLiteral("Did you mean: "), {}}};
    for (const char* word :
         {"receive", "relieve", "recital", "receiver", "recipe", "recess", "recede", "reverie"}) {
        if (parts.size() > 1) {
            parts.push_back({QStringLiteral(", "), {}});
        }
        parts.push_back({QString::fromLatin1(word), word});
    }
    pane_->resize(220, 300);
    pane_->ShowNote(parts);
    EXPECT_GT(note_->height(), oneLine);
    EXPECT_EQ(note_->geometry().bottom() + 1, Article().top());
    EXPECT_LE(note_->width(), pane_->width());
}

} // namespace
} // namespace lookup
