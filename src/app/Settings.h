#pragma once

#include "interface/StoredSetting.h"
#include "platform/FileError.h"

#include <filesystem>
#include <string>

namespace app {

// The four-character settings string mirrored in Dictionary.cfg: Control-C,
// PopUp, view, interface language. "1" is the first choice, anything else the
// second; the program writes "2" for the second choice.
class TSettings {
public:
    using Position = interface::TStoredSetting;

    // Reads the first four characters of the file's first line (no more
    // bytes than that), or creates the file holding exactly "1112" when it
    // does not exist. Stored() then tells whether stored values were read
    // (they are applied only then). A file that cannot be read, or is no
    // regular file, leaves the settings at "1112" for this run and is never
    // written; so does one that cannot be created. The result says why.
    platform::TFileResult Load(const std::filesystem::path& startDir);
    bool Stored() const { return stored_; }

    bool IsFirst(Position position) const;
    const std::string& Value() const { return value_; }

    // Sets a position to "1" or "2" in memory.
    void Set(Position position, bool first);
    // Rewrites the file whole, but only when it exists in the start-up
    // directory and was readable at start. The rewrite goes through a
    // temporary file and a rename, so a crash never leaves it empty; a
    // symbolic link is written through, a read-only file is refused. Fails
    // when the file existed but could not be written; the settings hold in
    // memory either way.
    platform::TFileResult Save();

    static constexpr const char* kFileName = "Dictionary.cfg";
    static constexpr const char* kInitialValue = "1112";

private:
    std::filesystem::path path_;
    std::string value_ = kInitialValue;
    bool stored_ = false;
    bool leaveFileAlone_ = false;
};

} // namespace app
