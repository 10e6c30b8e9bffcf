#pragma once

#include "app/Learning.h"
#include "app/MainLayout.h"
#include "app/ProgressLibrary.h"
#include "app/Rooms.h"
#include "platform/Paths.h"
#include "ui/Environment.h"

#include <QObject>
#include <QString>
#include <QThreadPool>

#include <memory>

namespace app {

// The main window's commands over the learning record and the export:
// Review fills the study list with the words due, the progress window shows
// what the record holds, Export writes the list for flash-card programs,
// and the due count is said in the usage hints and the count label's hint.
class TLearningCommands {
public:
    TLearningCommands(TRooms& rooms, const TMainLayout& layout, QWidget& window,
                      const platform::TPaths& paths, ui::TEnvironment& environment);

    // The usage hints as start-up wrote them: the due count is added while
    // the article pane still shows them.
    void HintsShown();
    // Asks the record for the due count (never at start-up itself: only a
    // record that exists is opened, and only once the window shows).
    void RefreshDueCount();
    // Review: an edited list is offered for saving first; then the words due
    // now, most overdue first, and new words of the list (of the default
    // list when the list is empty) up to the daily limit.
    void Review();
    // The progress window, made from the figures read on opening.
    void ShowProgress();
    // File > Export…: the study list as an Anki package or tab-separated text,
    // written on a thread of its own while the window goes on (the item
    // disabled and a busy cursor meanwhile); the result is said when done.
    void Export();

    // The count last read; -1 before.
    int DueCount() const { return dueCount_; }
    bool Busy() const { return reviewing_ || progressOpening_ || exporting_; }
    // Waits, at most for bound, for an export under way (tests).
    bool WaitForExport(int boundMs) { return exporter_.waitForDone(boundMs); }

private:
    struct TExportJob;

    bool English() const { return rooms_.Language->English(); }
    void ShowDueCount(int count);
    void StartExport(std::shared_ptr<TExportJob> job);
    void ExportDone(const std::shared_ptr<TExportJob>& job);

    TRooms& rooms_;
    const TMainLayout& layout_;
    QWidget& window_;
    const platform::TPaths& paths_;
    ui::TEnvironment& environment_;
    QString hintsText_; // the pane's text with the start-up hints
    int dueCount_ = -1;
    bool reviewing_ = false;
    bool progressOpening_ = false;
    bool exporting_ = false;
    TProgressLibrary progressLibrary_;
    QObject context_; // where the export's result is handed back
    // One thread; destroyed before context_, it waits for an export under way.
    QThreadPool exporter_;
};

} // namespace app
