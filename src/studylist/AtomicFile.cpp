#include "studylist/AtomicFile.h"

#include "platform/FileIo.h"

namespace studylist {

std::string TFileError::Message() const {
    std::string text = "Cannot " + Action + " file \"" + File.string() + "\".";
    if (Errno != 0) {
        text += " ";
        text += platform::FileErrorText(Errno);
        text += ".";
    } else if (!Reason.empty()) {
        text += " ";
        text += Reason;
    }
    return text;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         TFileError& error) {
    const platform::TAtomicWriteResult result = platform::WriteFileAtomically(path, bytes);
    if (!result.Ok()) {
        error = {path, result.CreateFailed ? "create" : "write", result.Errno};
    }
    return result.Ok();
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes, TFileError& error,
                   std::uintmax_t maxBytes) {
    const int failure = platform::ReadWholeFile(path, bytes, maxBytes);
    if (failure != 0) {
        error = {path, "open", failure};
    }
    return failure == 0;
}

} // namespace studylist
