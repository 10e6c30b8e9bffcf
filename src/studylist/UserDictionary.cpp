#include "studylist/UserDictionary.h"

#include "dictionary/CryptStream.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/TemporaryFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <limits>
#include <system_error>
#include <vector>

namespace studylist {

TWordProblem TUserDictionary::Check(std::string_view headWord, std::string_view article) {
    if (headWord.empty()) {
        return TWordProblem::EmptyWord;
    }
    if (headWord.size() > static_cast<std::size_t>(dictionary::kMaxHeadWordLength)) {
        return TWordProblem::TooLong;
    }
    if (!dictionary::IsValidTab(LetterOf(headWord))) {
        return TWordProblem::NoLetter;
    }
    if (article.empty()) {
        return TWordProblem::EmptyArticle;
    }
    return TWordProblem::None;
}

bool TUserDictionary::Contains(std::string_view headWord) const {
    const int tab = LetterOf(headWord);
    if (!dictionary::IsValidTab(tab)) {
        return false;
    }
    const auto& words = index_.Letter(tab).HeadWords();
    return std::find(words.begin(), words.end(), headWord) != words.end();
}

namespace {

// A linear search for the first head-word that sorts after the new one: it
// also gives a sensible place in an index that is not wholly sorted.
std::size_t FirstAfter(const std::vector<std::string_view>& words, std::string_view headWord) {
    std::size_t p = 0;
    while (p < words.size() && !dictionary::HeadWordLess(headWord, words[p])) {
        ++p;
    }
    return p;
}

} // namespace

std::size_t TUserDictionary::InsertPosition(int tab, std::string_view headWord) const {
    return FirstAfter(index_.Letter(tab).HeadWords(), headWord);
}

platform::TFileResult TUserDictionary::Save(std::string_view headWord, std::string_view article,
                                            TSavedWord& saved) {
    using platform::TFileOperation;
    using platform::TFileResult;
    const int tab = LetterOf(headWord);
    const std::filesystem::path articlePath =
        platform::ResolvePath(index_.OwnDir(), dictionary::ArticleFragment(tab, false));
    const std::filesystem::path indexPath = index_.OwnIndexPath(tab);
    if (index_.OwnDir().empty()) {
        return platform::TFileError{indexPath, TFileOperation::Create, ENOENT};
    }
    if (index_.Overlaid()) {
        // The user's folder gets its eg and bg folders with the first word.
        std::error_code ec;
        std::filesystem::create_directories(indexPath.parent_path(), ec);
    }

    // Another program may save into the same letter at the same moment: the
    // lock on the index file keeps the whole save, from the article's append
    // to the index's replacement (or the undo of a failure), to one writer.
    // The window waits for it, so only for a while.
    platform::TFileLock lock;
    if (TFileResult locked = lock.Lock(indexPath, kLockWait); !locked.Ok()) {
        if (locked.Errno() != EWOULDBLOCK) {
            return locked;
        }
        platform::TFileError busy{indexPath, TFileOperation::Update};
        busy.Fault = platform::TFileFault::Busy;
        return busy;
    }
    // What killed saves into this folder left behind goes now.
    platform::RemoveStaleTemporaryFiles(indexPath.parent_path());
    for (const auto& path : {indexPath, articlePath}) {
        if (TFileResult replaceable = platform::CheckReplaceable(path); !replaceable.Ok()) {
            return replaceable;
        }
    }

    // The new record goes into the file as it is now. Another instance of
    // the program, or the dictionary tool, may have written it since it was
    // read: read again, its words are kept and the new place is right.
    std::string current;
    if (TFileResult read = lock.Read(current, dictionary::kMaxIndexFileBytes); !read.Ok()) {
        return read;
    }
    if (!index_.OwnLetter(tab).MatchesFile(current)) {
        index_.RereadOwn(tab, current);
    }
    const dictionary::LetterIndex& own = index_.OwnLetter(tab);

    errno = 0;
    dictionary::TCryptStream stream(articlePath.string(), false,
                                    dictionary::fmOpenReadWrite | dictionary::fmShareDenyWrite);
    if (!stream.IsOpen()) {
        return platform::TFileError{articlePath, TFileOperation::Open, errno};
    }
    const std::int32_t oldSize = stream.Seek(0, 2);
    if (oldSize < 0 || article.size() > static_cast<std::size_t>(
                                            std::numeric_limits<std::int32_t>::max() - oldSize)) {
        return TFileResult::FromErrno(articlePath, TFileOperation::Write, EFBIG);
    }
    const auto size = static_cast<std::int32_t>(article.size());
    const auto undo = [&] {
        try {
            stream.SetSize(oldSize);
        } catch (const std::system_error&) {
            // The index does not list the cut-off bytes: they are unreachable.
        }
    };
    if (stream.Write(article.data(), size) != size || !stream.Flush()) {
        const int failure = errno;
        undo();
        return platform::TFileError{articlePath, TFileOperation::Write, failure};
    }

    dictionary::IndexRecord record;
    dictionary::MakeRecord(record, headWord, oldSize, size, 0);
    const std::size_t ownPosition = FirstAfter(own.HeadWords(), headWord);
    const std::size_t position = InsertPosition(tab, headWord);
    // Whole records only: trailing bytes that make no record are dropped.
    const std::string_view kept(current.data(), own.Size() * sizeof record);
    const std::size_t split = ownPosition * sizeof record;
    std::string bytes;
    bytes.reserve(kept.size() + sizeof record);
    bytes.append(kept.substr(0, split));
    bytes.append(reinterpret_cast<const char*>(&record), sizeof record);
    bytes.append(kept.substr(split));
    if (TFileResult written = platform::WriteFileAtomically(indexPath, bytes); !written.Ok()) {
        undo();
        return written;
    }
    index_.InsertOwn(tab, ownPosition, position, record);
    saved = {tab, position};
    return {};
}

} // namespace studylist
