#include "interface/PronunciationKey.h"

#include "interface/InterfaceRules.h"
#include "rtf/RtfDocument.h"
#include "ui/Captions.h"
#include "ui/Palette.h"

#include <QAbstractTextDocumentLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextFrame>
#include <QTextLayout>
#include <QToolButton>

namespace interface {
namespace {

constexpr QSize kButton(31, 27);
constexpr int kButtonTop = 17;

struct TGroup {
    QGroupBox* TKeyPanel::*Box;
    const char* Name;
    QRect Geometry;
    int First;
    int Last;
    int Left; // of the first button in the group
};

// Vowels across the top; diphthongs and triphthongs under them; semivowels
// at the lower left and the consonants' three rows at the lower right, the
// third row under the last two buttons of the second.
constexpr TGroup kGroups[] = {
    {&TKeyPanel::RzGroupBox2, "RzGroupBox2", QRect(2, 1, 394, 49), 1, 12, 11},
    {&TKeyPanel::RzGroupBox3, "RzGroupBox3", QRect(2, 51, 291, 49), 13, 21, 6},
    {&TKeyPanel::RzGroupBox1, "RzGroupBox1", QRect(295, 51, 101, 49), 22, 24, 4},
    {&TKeyPanel::RzGroupBox4, "RzGroupBox4", QRect(2, 101, 74, 73), 25, 26, 21},
    {&TKeyPanel::RzGroupBox5, "RzGroupBox5", QRect(78, 101, 318, 111), 27, 48, 4},
};

// Column and row of button n within its group.
QPoint Cell(int n, int first) {
    if (n == 25 || n == 26) {
        return {0, n - 25};
    }
    if (n >= 47) {
        return {8 + (n - 47), 2};
    }
    if (n >= 37) {
        return {n - 37, 1};
    }
    return {n - first, 0};
}

QString PanelStyle() {
    // Groups are a title over a rule: the strip lies across the consonants'
    // empty corner, where a frame would run under it.
    return ui::StyleSheet(
        u"QWidget#Panel4 { background: @Paper; }"
        "QGroupBox { border: none; border-top: 1px solid @Teal; margin-top: 7px;"
        " color: @Panel; font-size: 10px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 0px;"
        " padding: 0 3px 0 0; background: @Paper; }"
        "QToolButton { border: 1px solid @KeyFrame; border-radius: 3px; background: @White; }"
        "QToolButton:hover { border-color: @Teal; background: @KeyHover; }"
        "QToolButton:pressed { background: @KeyPressed; }"
        "QToolButton:disabled { border-color: @KeyDisabledFrame; background: @KeyDisabled; }"
        "QTextEdit#RzRichEdit1 { border: 1px solid @Teal; border-radius: 2px;"
        " background: @White; }");
}

} // namespace

QPixmap KeySymbolPicture(const QString& label, QSize size, qreal pixelRatio) {
    QPixmap picture(size * pixelRatio);
    picture.setDevicePixelRatio(pixelRatio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // DejaVu Sans holds every phonetic letter of the key; three letters get
    // a smaller size to fit the button.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(label.size() >= 3 ? 13 : 15);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(ui::palette::Panel));
    painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, label);
    return picture;
}

TKeyPanel BuildPronunciationKey(QWidget* parent, const QRect& articlePane,
                                std::function<void(QObject*)> onPress) {
    TKeyPanel key;
    key.Panel4 = new QWidget(parent);
    key.Panel4->setObjectName(QStringLiteral("Panel4"));
    // The key's layout is 398 x 213; the panel covers the whole article pane
    // under it.
    key.Panel4->setGeometry(articlePane);
    key.Panel4->setAttribute(Qt::WA_StyledBackground);
    key.Panel4->setStyleSheet(PanelStyle());
    const qreal ratio = qGuiApp->devicePixelRatio();
    const QSize pictureSize = kButton - QSize(2, 2);
    const QString hint = ui::BuiltInText("trans", ui::TTextKind::Hint);
    for (const TGroup& group : kGroups) {
        auto* box = new QGroupBox(ui::BuiltInText(group.Name), key.Panel4);
        box->setObjectName(QString::fromLatin1(group.Name));
        box->setGeometry(group.Geometry);
        key.*group.Box = box;
        for (int n = group.First; n <= group.Last; ++n) {
            const QPoint cell = Cell(n, group.First);
            auto* button = new QToolButton(box);
            button->setObjectName(QStringLiteral("trans%1").arg(n));
            button->setGeometry(
                QRect(QPoint(group.Left + cell.x() * kButton.width(), kButtonTop + cell.y() * 27),
                      kButton));
            button->setIcon(QIcon(
                KeySymbolPicture(QString::fromStdString(KeyButtonLabel(n)), pictureSize, ratio)));
            button->setIconSize(pictureSize);
            button->setToolTip(hint);
            button->setCursor(Qt::PointingHandCursor);
            button->setFocusPolicy(Qt::NoFocus);
            QObject::connect(button, &QToolButton::clicked, button,
                             [button, onPress] { onPress(button); });
            key.Buttons[static_cast<std::size_t>(n - 1)] = button;
        }
    }
    key.RzRichEdit1 = new QTextEdit(key.Panel4);
    key.RzRichEdit1->setObjectName(QStringLiteral("RzRichEdit1"));
    key.RzRichEdit1->setGeometry(11, 176, 311, 27);
    key.RzRichEdit1->setEnabled(false);
    key.RzRichEdit1->setReadOnly(true);
    key.RzRichEdit1->setLineWrapMode(QTextEdit::NoWrap);
    key.RzRichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    key.RzRichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    key.RzRichEdit1->document()->setDocumentMargin(0);
    key.RzRichEdit1->raise();
    key.Panel4->hide();
    return key;
}

void LoadStrip(QTextEdit& strip, std::string_view rtf) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    QTextDocument& document = *strip.document();
    rtf::LoadRtf(document, rtf, font);
    document.setDocumentMargin(0);
    // Room below the last line, so that it too can scroll to the top.
    QTextFrameFormat frame = document.rootFrame()->frameFormat();
    frame.setBottomMargin(strip.viewport()->height());
    document.rootFrame()->setFrameFormat(frame);
}

bool ShowStripLine(QTextEdit& strip, int n) {
    QTextDocument& document = *strip.document();
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    int remaining = n - 1;
    if (remaining < 0) {
        return false;
    }
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        // The block's rectangle lays it out.
        const QRectF blockRect = layout->blockBoundingRect(block);
        const QTextLayout* lines = block.layout();
        if (remaining < lines->lineCount()) {
            const QTextLine line = lines->lineAt(remaining);
            QTextCursor cursor(block);
            cursor.setPosition(block.position() + line.textStart());
            strip.setTextCursor(cursor);
            strip.verticalScrollBar()->setValue(qRound(blockRect.top() + line.y()));
            return true;
        }
        remaining -= lines->lineCount();
    }
    return false;
}

} // namespace interface
