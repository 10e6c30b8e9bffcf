#include "lookup/ClipboardWatcher.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QRegularExpression>

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

QString TClipboardWatcher::FirstLine() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasText()) {
        return {};
    }
    const QString text = data->text();
    const qsizetype end = text.indexOf(QRegularExpression(QStringLiteral("[\\r\\n]")));
    return end < 0 ? text : text.left(end);
}

} // namespace lookup
