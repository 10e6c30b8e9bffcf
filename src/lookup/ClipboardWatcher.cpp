#include "lookup/ClipboardWatcher.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QRegularExpression>

#include <optional>
#include <string>

namespace lookup {

TClipboardWatcher::TClipboardWatcher(QObject* parent) : QObject(parent) {}

TClipboardWatcher::~TClipboardWatcher() {
    Leave();
}

void TClipboardWatcher::Register() {
    if (registered_) {
        return;
    }
    registered_ = true;
    connection_ = connect(
        QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { Notify(); },
        Qt::QueuedConnection);
    // The platform sends nothing at registration; this window wants the
    // current content looked up at once.
    QMetaObject::invokeMethod(
        this, [this] { Notify(); }, Qt::QueuedConnection);
}

void TClipboardWatcher::Leave() {
    if (registered_) {
        disconnect(connection_);
        registered_ = false;
    }
}

void TClipboardWatcher::Notify() {
    if (registered_ && OnClipboardChanged) {
        OnClipboardChanged();
    }
}

namespace {

QString UpToLineBreak(const QString& text) {
    const qsizetype end = text.indexOf(QRegularExpression(QStringLiteral("[\\r\\n]")));
    return end < 0 ? text : text.left(end);
}

} // namespace

QString TClipboardWatcher::FirstLine() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    // The toolkit answers for text of our own at once; its reading of another
    // program's text waits seconds for an owner that never answers.
    if (!clipboard->ownsClipboard() && QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (const std::optional<std::string> text = reader_.Text()) {
            return UpToLineBreak(QString::fromStdString(*text));
        }
    }
    const QMimeData* data = clipboard->mimeData();
    if (data == nullptr || !data->hasText()) {
        return {};
    }
    return UpToLineBreak(data->text());
}

} // namespace lookup
