#include "lookup/ClipboardWatcher.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>
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

// A plain scan: a regular expression here would load and compile the
// pattern library at the first clipboard read, on every start.
QString UpToLineBreak(const QString& text) {
    const auto end = std::find_if(text.cbegin(), text.cend(), [](QChar letter) {
        return letter == QLatin1Char('\r') || letter == QLatin1Char('\n');
    });
    return text.left(end - text.cbegin());
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
