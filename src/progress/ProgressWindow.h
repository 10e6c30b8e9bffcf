#pragma once

#include "progress/ProgressModel.h"

#include <QDialog>

#include <functional>

class QChartView;
class QLabel;
class QListWidget;
class QPushButton;

namespace progress {

// The learner's progress: answers per day and the share right over the last
// 30 days in a chart, the words in each state, and the words missed most,
// each of which a double-click looks up (the window then closes). Made from
// figures read before it opens, so it shows at once.
class TProgressWindow : public QDialog {
public:
    using TLookUp = std::function<void(const TMissedRow& word)>;

    TProgressWindow(const TProgressModel& model, bool english, TLookUp lookUp,
                    QWidget* parent = nullptr);

    QChartView* Chart = nullptr;
    QLabel* EmptyNotice = nullptr; // shown over the chart of an empty record
    QLabel* States = nullptr;
    QListWidget* MissedList = nullptr;
    QPushButton* CloseButton = nullptr;

    void MissedListDblClick();

private:
    TProgressModel model_;
    TLookUp lookUp_;
};

} // namespace progress
