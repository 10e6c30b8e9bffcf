#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

// How the layers below the windows say that a file operation failed: what
// was done to which file, and why. They return a TFileResult; the windows
// word it for the user in the interface language (ui::FileErrorMessage), the
// tools in their own messages.
namespace platform {

// Failures errno has no word for: what a path is when it is not a regular
// file. A folder is EISDIR. FileErrorText gives the words for all of them.
constexpr int kIsNamedPipe = -1;
constexpr int kIsDevice = -2;
constexpr int kIsSocket = -3;

// The system's text for an errno value, ours for the codes above (English).
std::string FileErrorText(int failure);

enum class TFileOperation {
    Open,   // opening or reading
    Create, // making a new file
    Write,  // writing or replacing
    Update, // rewriting a file others may change meanwhile
};

// Why a file's contents were refused when the system found nothing wrong.
enum class TFileFault {
    None,
    // A line longer than an entry can be: Line (1-based) holds Length
    // characters, at most Limit are allowed.
    LineTooLong,
    // Line (1-based) holds a character the code page cannot hold.
    NotInCodePage,
    // The file was changed by someone else since it was read.
    ChangedMeanwhile,
    // Another program held the file's lock for longer than a window may wait.
    Busy,
};

struct TFileError {
    std::filesystem::path File;
    TFileOperation Operation = TFileOperation::Open;
    // An errno value or one of the codes above; 0 when Fault says why.
    int Errno = 0;
    TFileFault Fault = TFileFault::None;
    std::size_t Line = 0;
    std::size_t Length = 0;
    std::size_t Limit = 0;
};

// Success, or the failure of one file operation.
class [[nodiscard]] TFileResult {
public:
    TFileResult() = default;
    TFileResult(TFileError error) : error_(std::move(error)) {}
    // A failure with the system's errno (or a kind code); 0 is success.
    static TFileResult FromErrno(const std::filesystem::path& file, TFileOperation operation,
                                 int failure) {
        if (failure == 0) {
            return {};
        }
        return TFileError{file, operation, failure};
    }

    bool Ok() const { return !error_.has_value(); }
    // The errno value or kind code of the failure; 0 for success or a fault.
    int Errno() const { return error_ ? error_->Errno : 0; }
    // Only for a failure.
    const TFileError& Error() const { return *error_; }

private:
    std::optional<TFileError> error_;
};

} // namespace platform
