#include "app/Settings.h"

#include "platform/FileIo.h"

#include <cstring>
#include <fstream>

namespace app {

bool TSettings::Load(const std::filesystem::path& startDir) {
    path_ = startDir / kFileName;
    std::ifstream in(path_, std::ios::binary);
    if (in) {
        std::string line;
        std::getline(in, line);
        // A line end may be CR LF; only the first four characters count, and
        // positions the line does not reach take the second choice.
        value_ = line.substr(0, 4);
        value_.resize(4, '2');
        return true;
    }
    value_ = kInitialValue;
    if (std::filesystem::exists(path_)) {
        lastError_ = path_.string() + ": cannot be read";
        return true;
    }
    std::ofstream out(path_, std::ios::binary);
    out << kInitialValue;
    out.close();
    if (!out) {
        lastError_ = path_.string() + ": cannot be created";
    }
    return false;
}

bool TSettings::IsFirst(Position position) const {
    return value_[static_cast<std::size_t>(position) - 1] == '1';
}

void TSettings::Set(Position position, bool first) {
    value_[static_cast<std::size_t>(position) - 1] = first ? '1' : '2';
}

bool TSettings::Save() {
    if (!std::filesystem::exists(path_)) {
        return true;
    }
    const platform::TAtomicWriteResult result =
        platform::WriteFileAtomically(path_, value_ + "\r\n");
    if (!result.Ok()) {
        lastError_ = path_.string() + ": " + std::strerror(result.Errno);
    }
    return result.Ok();
}

} // namespace app
