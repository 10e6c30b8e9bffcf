#include "progress/ProgressWindow.h"

#include "progress/LearningTexts.h"
#include "ui/Palette.h"

#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <algorithm>

namespace progress {
namespace {

constexpr QSize kSize(780, 560);

QChart* AnswersChart(const TProgressModel& model, bool english) {
    const auto text = [english](TLearningPhrase phrase) { return LearningPhrase(phrase, english); };
    auto* right = new QBarSet(text(TLearningPhrase::RightAnswers));
    right->setColor(QColor::fromRgb(ui::palette::Teal));
    right->setBorderColor(QColor::fromRgb(ui::palette::Teal));
    auto* missed = new QBarSet(text(TLearningPhrase::MissedAnswers));
    missed->setColor(QColor::fromRgb(ui::palette::Red));
    missed->setBorderColor(QColor::fromRgb(ui::palette::Red));
    auto* share = new QLineSeries;
    share->setName(text(TLearningPhrase::ShareRight));
    share->setColor(QColor::fromRgb(ui::palette::Amber));
    QPen pen(QColor::fromRgb(ui::palette::Amber));
    pen.setWidth(3);
    share->setPen(pen);
    // Days without judged answers have no share: a dot marks each day that has.
    auto* dots = new QScatterSeries;
    dots->setColor(QColor::fromRgb(ui::palette::Amber));
    dots->setBorderColor(QColor::fromRgb(ui::palette::Amber));
    dots->setMarkerSize(7);
    for (std::size_t i = 0; i < model.Days.size(); ++i) {
        const TProgressDay& day = model.Days[i];
        *right << day.Right;
        *missed << day.Missed;
        if (day.Judged) {
            share->append(static_cast<qreal>(i), day.SharePercent);
            dots->append(static_cast<qreal>(i), day.SharePercent);
        }
    }
    auto* bars = new QStackedBarSeries;
    bars->append(right);
    bars->append(missed);
    bars->setBarWidth(0.7);

    auto* chart = new QChart;
    chart->setTitle(text(TLearningPhrase::AnswersPerDay));
    chart->addSeries(bars);
    chart->addSeries(share);
    chart->addSeries(dots);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->markers(dots).first()->setVisible(false);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundBrush(QColor::fromRgb(ui::palette::White));

    // Thirty dates do not fit under thirty bars: every fifth day and today
    // are named, under their bars.
    auto* days = new QCategoryAxis;
    days->setRange(-0.5, static_cast<qreal>(model.Days.size()) - 0.5);
    days->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    days->setGridLineVisible(false);
    const int last = static_cast<int>(model.Days.size()) - 1;
    for (int i = std::max(0, last % 5); i <= last; i += 5) {
        days->append(model.Days[static_cast<std::size_t>(i)].Label, i);
    }
    QFont small = days->labelsFont();
    small.setPixelSize(10);
    days->setLabelsFont(small);
    chart->addAxis(days, Qt::AlignBottom);
    auto* answers = new QValueAxis;
    answers->setRange(0, std::max(4, model.MostAnswers + model.MostAnswers / 5 + 1));
    answers->setLabelFormat(QStringLiteral("%d"));
    answers->setTickCount(5);
    chart->addAxis(answers, Qt::AlignLeft);
    auto* percent = new QValueAxis;
    percent->setRange(0, 100);
    percent->setLabelFormat(QStringLiteral("%d ") + text(TLearningPhrase::Percent));
    percent->setTickCount(5);
    chart->addAxis(percent, Qt::AlignRight);
    bars->attachAxis(days);
    bars->attachAxis(answers);
    for (QAbstractSeries* line :
         {static_cast<QAbstractSeries*>(share), static_cast<QAbstractSeries*>(dots)}) {
        line->attachAxis(days);
        line->attachAxis(percent);
    }
    return chart;
}

QString StatesText(const learning::TStateCounts& states, bool english) {
    const auto row = [english](TLearningPhrase phrase, int count) {
        return QStringLiteral("<tr><td>%1</td><td align=\"right\"><b>%2</b></td></tr>")
            .arg(LearningPhrase(phrase, english))
            .arg(count);
    };
    return QStringLiteral("<table cellspacing=\"6\">") +
           row(TLearningPhrase::StateNew, states.New) +
           row(TLearningPhrase::StateLearning, states.Learning) +
           row(TLearningPhrase::StateKnown, states.Known) +
           row(TLearningPhrase::StateDueToday, states.DueToday) + QStringLiteral("</table>");
}

} // namespace

TProgressWindow::TProgressWindow(const TProgressModel& model, bool english, TLookUp lookUp,
                                 QWidget* parent)
    : QDialog(parent), model_(model), lookUp_(std::move(lookUp)) {
    setObjectName(QStringLiteral("TProgressWindow"));
    setWindowTitle(LearningPhrase(TLearningPhrase::ProgressTitle, english));
    resize(kSize);
    setStyleSheet(
        ui::StyleSheet(u"QDialog { background: @Panel; } QLabel { color: @White; font-size: 13px; }"
                       "QLabel#EmptyNotice { background: @NavyNotice; border: 2px solid @Teal;"
                       " border-radius: 8px; padding: 12px; font-size: 15px; font-weight: bold; }"
                       "QListWidget { background: @White; color: @Black; border: 2px solid @Teal; }"
                       "QPushButton { background: @NavyMid; color: @White; border: 1px solid @Teal;"
                       " padding: 5px 18px; }"
                       "QPushButton:hover { color: @AmberLight; }"));

    Chart = new QChartView(AnswersChart(model, english), this);
    Chart->setObjectName(QStringLiteral("Chart"));
    Chart->setRenderHint(QPainter::Antialiasing);
    Chart->setMinimumHeight(320);
    States = new QLabel(StatesText(model.States, english), this);
    States->setObjectName(QStringLiteral("States"));
    States->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    auto* missedHeading = new QLabel(LearningPhrase(TLearningPhrase::MostMissed, english), this);
    MissedList = new QListWidget(this);
    MissedList->setObjectName(QStringLiteral("MissedList"));
    for (const TMissedRow& row : model.MostMissed) {
        MissedList->addItem(row.Text);
    }
    CloseButton = new QPushButton(LearningPhrase(TLearningPhrase::CloseButton, english), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(Chart, 0, 0, 1, 2);
    layout->addWidget(States, 1, 0, 2, 1);
    layout->addWidget(missedHeading, 1, 1);
    layout->addWidget(MissedList, 2, 1);
    layout->addWidget(CloseButton, 3, 1, Qt::AlignRight);
    layout->setColumnStretch(1, 1);

    EmptyNotice = new QLabel(LearningPhrase(TLearningPhrase::EmptyRecord, english), Chart);
    EmptyNotice->setObjectName(QStringLiteral("EmptyNotice"));
    EmptyNotice->setAlignment(Qt::AlignCenter);
    EmptyNotice->setWordWrap(true);
    EmptyNotice->setGeometry(140, 110, 460, 90);
    EmptyNotice->setVisible(model.Empty);

    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(MissedList, &QListWidget::itemDoubleClicked, this, [this] { MissedListDblClick(); });
}

void TProgressWindow::MissedListDblClick() {
    const int row = MissedList->currentRow();
    if (row < 0 || row >= static_cast<int>(model_.MostMissed.size())) {
        return;
    }
    const TMissedRow word = model_.MostMissed[static_cast<std::size_t>(row)];
    accept();
    if (lookUp_) {
        lookUp_(word);
    }
}

} // namespace progress
