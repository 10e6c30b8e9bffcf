#pragma once

#include "interface/StoredSetting.h"

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

namespace interface {

// What the language switch, the view modes and the reference pages need of
// the main window beyond its controls.
class TInterfaceHost {
public:
    virtual ~TInterfaceHost() = default;
    virtual bool EnglishInterface() const = 0;
    // The settings update: the position becomes "1" (first choice) or "2",
    // and the settings file is rewritten when it exists.
    virtual void StoreSetting(TStoredSetting setting, bool firstChoice) = 0;
    virtual int StudyListCount() const = 0;

    // The look-up the Continue button returns to.
    virtual std::string SearchBoxText() const = 0;
    virtual void SearchBoxChanged() = 0;
    virtual void FocusSearchBox() = 0;
    // The article pane: a page's RTF bytes, or nothing.
    virtual void LoadPage(std::string_view rtf) = 0;
    virtual void ClearArticle() = 0;

    // The MP3 player the key's samples play through. PlayKeySample stops a
    // playback still running and returns whether the file started playing.
    virtual bool LoadPlayerLibrary() = 0;
    virtual bool PlayKeySample(const std::filesystem::path& file) = 0;
    virtual bool VoiceRecording() const = 0;

    // The platform's standard error message; the system beep.
    virtual void ReportError(const QString& text) = 0;
    virtual void Beep() = 0;
};

} // namespace interface
