#pragma once
// The main window as the look-up benchmarks need it: pronunciation always
// available, copied text translated, nothing brought forward or asked.
#include "lookup/LookupWindow.h"
#include "ui/LookupView.h"

#include <functional>
#include <string>

namespace bench {

struct TBenchHost : lookup::TLookupHost, ui::TPronounceButton {
    bool PronounceButtonEnabled() const override { return true; }
    void SetPronounceButtonEnabled(bool) override {}
    bool PronounceButtonVisible() const override { return true; }
    void ApplyPronounceAvailability(int) override {}
    void Pronounce() override {}
    void OpenNewWordDialog(const std::string&, int,
                           const std::function<void(const lookup::TWordPlace&)>&) override {}
    void Defer(std::function<void()>) override {}
    void PostQuit() override {}
    bool TranslateCopiedText() const override { return true; }
    bool BringForwardOnCopy() const override { return false; }
    bool ContinueVisible() const override { return false; }
    void BringForward() override {}
    bool EnglishInterface() const override { return true; }
};

} // namespace bench
