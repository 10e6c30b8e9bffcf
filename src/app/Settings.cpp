#include "app/Settings.h"

#include "platform/FileIo.h"

#include <cerrno>

namespace app {

platform::TFileResult TSettings::Load(const std::filesystem::path& startDir) {
    path_ = startDir / kFileName;
    value_ = kInitialValue;
    stored_ = false;
    leaveFileAlone_ = false;
    // Four bytes are all that is needed; reading them never waits on a named
    // pipe and costs nothing however large the file is.
    std::string start;
    const platform::TFileResult read = platform::ReadFileStart(path_, value_.size(), start);
    if (read.Ok()) {
        // Only the first line's own characters count; positions it does not
        // reach take the second choice.
        value_ = start.substr(0, start.find_first_of("\r\n"));
        value_.resize(4, '2');
        stored_ = true;
        return read;
    }
    if (read.Errno() == ENOENT) {
        const platform::TFileResult created = platform::WriteFileAtomically(path_, kInitialValue);
        leaveFileAlone_ = !created.Ok();
        return created;
    }
    leaveFileAlone_ = true;
    return read;
}

bool TSettings::IsFirst(Position position) const {
    return value_[static_cast<std::size_t>(position) - 1] == '1';
}

void TSettings::Set(Position position, bool first) {
    value_[static_cast<std::size_t>(position) - 1] = first ? '1' : '2';
}

platform::TFileResult TSettings::Save() {
    std::error_code ec;
    if (leaveFileAlone_ || !std::filesystem::exists(path_, ec)) {
        return {};
    }
    // The rename alone leaves either the old or the new four characters; the
    // flush to the disk would make every menu choice wait for it, and at worst
    // a choice made just before a power cut comes back as it was.
    platform::TAtomicWriteOptions options;
    options.Durable = false;
    return platform::WriteFileAtomically(path_, value_ + "\r\n", options);
}

} // namespace app
