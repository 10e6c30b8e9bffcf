#pragma once

#include "ui/Environment.h"

#include <QDialog>
#include <QTextBrowser>

#include <cstdint>
#include <filesystem>

namespace interface {

// The help window's page view. Every file a page names (its pictures, the
// pages it links to) is read only when it is a regular file of a help page's
// size: a named pipe there would hold the window until a writer came.
class THelpBrowser : public QTextBrowser {
public:
    static constexpr std::uintmax_t kMaxResourceBytes = 16 << 20;

    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int type, const QUrl& name) override;
};

// The help window: a page of local HTML filling the window, links between
// pages followed inside it. The main window's help and every exercise's help
// open it with the page for the interface language.
class TForm8 : public QDialog {
public:
    static constexpr int kWidth = 620;
    static constexpr int kHeight = 365;

    // english: the language of the window's own texts (a missing page).
    explicit TForm8(QWidget* owner, bool english = false);

    // The address of the page to show, set by whoever opens the window.
    std::filesystem::path HelpPage;

    // Shows HelpPage; a page that cannot be read shows a text naming it.
    void FormShow();

    THelpBrowser* WebBrowser1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool english_;
};

// Creates the help window centred on its owner, shows the page modally
// through the environment and releases the window when it closes.
void ShowHelpPage(QWidget* owner, const std::filesystem::path& page, bool english,
                  const ui::TEnvironment& environment);

} // namespace interface
