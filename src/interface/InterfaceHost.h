#pragma once

#include "interface/StoredSetting.h"

#include <QString>

#include <filesystem>
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

    // The article pane shows a page's RTF bytes.
    virtual void LoadPage(std::string_view rtf) = 0;

    // The MP3 player the key's samples play through. PlayKeySample stops a
    // playback still running and returns whether the file started playing.
    virtual bool LoadPlayerLibrary() = 0;
    virtual bool PlayKeySample(const std::filesystem::path& file) = 0;
    virtual bool VoiceRecording() const = 0;

    // The platform's standard error message.
    virtual void ReportError(const QString& text) = 0;
};

} // namespace interface
