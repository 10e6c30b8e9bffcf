#include "app/Settings.h"

#include "platform/FileIo.h"

#include <cerrno>

namespace app {
namespace {

std::string FileMessage(const char* action, const std::filesystem::path& path, int failure) {
    return std::string("Cannot ") + action + " file \"" + path.string() + "\". " +
           platform::FileErrorText(failure) + ".";
}

} // namespace

bool TSettings::Load(const std::filesystem::path& startDir) {
    path_ = startDir / kFileName;
    value_ = kInitialValue;
    lastError_.clear();
    leaveFileAlone_ = false;
    // Four bytes are all that is needed; reading them never waits on a named
    // pipe and costs nothing however large the file is.
    std::string start;
    const int failure = platform::ReadFileStart(path_, value_.size(), start);
    if (failure == 0) {
        // Only the first line's own characters count; positions it does not
        // reach take the second choice.
        value_ = start.substr(0, start.find_first_of("\r\n"));
        value_.resize(4, '2');
        return true;
    }
    if (failure == ENOENT) {
        const platform::TAtomicWriteResult created =
            platform::WriteFileAtomically(path_, kInitialValue);
        if (!created.Ok()) {
            lastError_ = FileMessage("create", path_, created.Errno);
            leaveFileAlone_ = true;
        }
        return false;
    }
    lastError_ = FileMessage("read", path_, failure) +
                 " The program starts with its default settings and leaves the file as it is.";
    leaveFileAlone_ = true;
    return false;
}

bool TSettings::IsFirst(Position position) const {
    return value_[static_cast<std::size_t>(position) - 1] == '1';
}

void TSettings::Set(Position position, bool first) {
    value_[static_cast<std::size_t>(position) - 1] = first ? '1' : '2';
}

bool TSettings::Save() {
    std::error_code ec;
    if (leaveFileAlone_ || !std::filesystem::exists(path_, ec)) {
        return true;
    }
    // The rename alone leaves either the old or the new four characters; the
    // flush to the disk would make every menu choice wait for it, and at worst
    // a choice made just before a power cut comes back as it was.
    platform::TAtomicWriteOptions options;
    options.Durable = false;
    const platform::TAtomicWriteResult result =
        platform::WriteFileAtomically(path_, value_ + "\r\n", options);
    if (!result.Ok()) {
        lastError_ = FileMessage("write", path_, result.Errno);
    }
    return result.Ok();
}

} // namespace app
