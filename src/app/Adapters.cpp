#include "app/Adapters.h"

#include "app/Unit1.h"

namespace app {

std::string TLookupAdapter::ReadArticle(int tab, int position) const {
    return rooms_.Dictionary.ReadArticle(tab, position);
}

void TLookupHostAdapter::OpenNewWordDialog(
    const std::string& word, int tab, const std::function<void(const lookup::TWordPlace&)>& saved) {
    studylist::RunNewWordDialog(*rooms_.UserDictionary, environment_.Dialogs,
                                ui::ProgramDialogLook(), rooms_.Language->English(), &window_, word,
                                tab, [&saved](const studylist::TSavedWord& place) {
                                    saved({place.Tab, static_cast<int>(place.Position)});
                                });
}

void TLookupHostAdapter::Defer(std::function<void()> step) {
    QTimer::singleShot(0, &window_, std::move(step));
}

void TLookupHostAdapter::PostQuit() {
    window_.PostQuit();
}

void TLookupHostAdapter::BringForward() {
    window_.BringForward();
}

} // namespace app
