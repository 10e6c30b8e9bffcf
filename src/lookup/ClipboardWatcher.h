#pragma once

#include "lookup/SelectionReader.h"

#include <QObject>
#include <QString>

#include <functional>

namespace lookup {

// One notification per change of the clipboard's content while registered,
// one at registration (text already there at start is looked up at once),
// none after leaving. Notifications arrive on the user-interface thread as
// queued events, between other events, like window messages.
class TClipboardWatcher : public QObject {
public:
    explicit TClipboardWatcher(QObject* parent = nullptr);
    ~TClipboardWatcher() override;

    void Register();
    void Leave();

    std::function<void()> OnClipboardChanged;

    // The clipboard's text as pasting into a single-line box yields it: text
    // only, up to the first line break; empty when it holds no text. Another
    // program's text on X is read with a bound (see TSelectionReader): an
    // owner that does not answer gives the empty text.
    QString FirstLine();

private:
    void Notify();
    TSelectionReader reader_;
    bool registered_ = false;
    QMetaObject::Connection connection_;
};

} // namespace lookup
