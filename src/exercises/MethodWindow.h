#pragma once

#include "exercises/ExerciseLook.h"
#include "exercises/ExerciseTexts.h"
#include "exercises/ExerciseWindow.h"

#include <QToolButton>

#include <memory>
#include <span>
#include <utility>
#include <vector>

namespace exercises {

// The controls of a method window that the shared part works on besides
// Panel1, Edit1 and PrgBar1.
struct TMethodControls {
    QToolButton* StartButton = nullptr;
    QTimer* BlinkTimer = nullptr;
    // Where the notice of an empty study list covers the panel.
    QRect NoticeArea;
    // What an empty study list disables besides what the rules disable.
    std::vector<QWidget*> DisabledWhenEmpty;
};

// What the five method windows share: their rules, the Start/Stop button and
// its blink timer mirroring them, the progress bar, the notice of an empty
// study list, and handlers that run one intent of the rules and then show the
// state it left. A window builds its panel (Panel1, with the word box Edit1
// and the progress bar PrgBar1 on it) in its constructor, connects its
// controls to its handlers and ends with FormCreate; ShowState shows what is
// its own.
template <typename TRules> class TMethodWindow : public TExerciseWindow {
public:
    static constexpr QSize kDesignSize{800, 600};

    const TRules& Rules() const { return rules_; }
    const TStartButton& StartButton() const { return *start_; }
    void PlayEnded() override { Run(&TRules::PlayEnded); }

    QWidget* Panel1 = nullptr;
    // The word shown, or the answer typed.
    QLineEdit* Edit1 = nullptr;
    QProgressBar* PrgBar1 = nullptr;
    // Said over the panel when the study list holds no word.
    QLabel* EmptyListNotice = nullptr;

protected:
    // rulesArgs: what the rules take besides the shared steps and the
    // next-word source.
    template <typename... TArgs>
    TMethodWindow(const TMainWindowSeams& seams, int method, const QString& layoutTitle,
                  QWidget* owner, TArgs&... rulesArgs)
        : TExerciseWindow(seams, method, layoutTitle, kDesignSize, owner),
          rules_(*this, seams.NextWords, rulesArgs...) {
        rules_.SetAnswerObserver(seams.Answers);
    }

    // intent: of the rules or of what they are built on.
    template <typename TClass, typename... TParams, typename... TArgs>
    void Run(void (TClass::*intent)(TParams...), TArgs&&... args) {
        (rules_.*intent)(std::forward<TArgs>(args)...);
        Sync();
    }

    // The blink timer's tick (BlinkStartButton).
    void BlinkTick() {
        if (rules_.BlinkAllowed()) {
            start_->Blink();
        }
    }

    // Enter in the answer box checks the answer.
    void CheckOnEnter(char key) {
        if (key == '\r') {
            Run(&TRules::Check);
        }
    }

    // Creation, in this order: the window takes the desktop with its panel
    // centred, the rules open, the captions and hints come from the window's
    // table, an empty study list is said over the panel with the controls
    // that would read it disabled, and the controls show the rules' state.
    void FormCreate(std::span<const TExerciseText> texts, TMethodControls controls) {
        controls_ = std::move(controls);
        FitToDesktop({Panel1});
        rules_.Open();
        ApplyTexts(*this, texts, English());
        const std::string start = controls_.StartButton->objectName().toStdString();
        start_ = std::make_unique<TStartButton>(
            controls_.StartButton, ExerciseText(texts, start, ui::TTextKind::Hint, English()),
            English(), Seams().Paths);
        blink_ = std::make_unique<TTimerMirror>(controls_.BlinkTimer);
        if (rules_.EmptyList()) {
            for (QWidget* control : controls_.DisabledWhenEmpty) {
                control->setEnabled(false);
            }
            EmptyListNotice = ShowEmptyListNotice(Panel1, controls_.NoticeArea);
        }
        Sync();
    }

    QLineEdit* WordBox() const override { return Edit1; }
    // The window's own controls after an intent; the shared ones are shown
    // already.
    virtual void ShowState() = 0;

    TRules rules_;

private:
    void Sync() {
        start_->Show(rules_.StartStop());
        blink_->Apply(rules_.StartStop().Blink);
        ShowProgress(PrgBar1, rules_.Progress(), rules_.ProgressMax());
        ShowState();
    }

    TMethodControls controls_;
    std::unique_ptr<TStartButton> start_;
    std::unique_ptr<TTimerMirror> blink_;
};

} // namespace exercises
