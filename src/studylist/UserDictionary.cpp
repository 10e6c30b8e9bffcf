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

std::size_t TUserDictionary::InsertPosition(int tab, std::string_view headWord) const {
    // A linear search for the first head-word that sorts after the new one:
    // it also gives a sensible place in an index that is not wholly sorted.
    const auto& words = index_.Letter(tab).HeadWords();
    std::size_t p = 0;
    while (p < words.size() && !dictionary::HeadWordLess(headWord, words[p])) {
        ++p;
    }
    return p;
}

platform::TFileResult TUserDictionary::Save(std::string_view headWord, std::string_view article,
                                            TSavedWord& saved) {
    using platform::TFileOperation;
    using platform::TFileResult;
    const int tab = LetterOf(headWord);
    const std::filesystem::path articlePath =
        platform::ResolvePath(dir_, dictionary::ArticleFragment(tab, false));
    const std::filesystem::path indexPath =
        platform::ResolvePath(dir_, dictionary::IndexFragment(tab));

    // Another program may save into the same letter at the same moment: the
    // lock on the index file keeps the whole save, from the article's append
    // to the index's replacement (or the undo of a failure), to one writer.
    platform::TFileLock lock;
    if (TFileResult locked = lock.Lock(indexPath); !locked.Ok()) {
        return locked;
    }
    // What killed saves into this folder left behind goes now.
    platform::RemoveStaleTemporaryFiles(indexPath.parent_path());
    for (const auto& path : {indexPath, articlePath}) {
        if (TFileResult replaceable = platform::CheckReplaceable(path); !replaceable.Ok()) {
            return replaceable;
        }
    }

    // The new record goes into the file as it is now, at the place the
    // in-memory list gives it. That place is right, and no entry is lost,
    // only while the file still lists what was read at start-up: one that
    // was unreadable then, or changed since by another program, is left
    // alone.
    dictionary::LetterIndex& letter = index_.Letter(tab);
    std::string current;
    if (TFileResult read = lock.Read(current, dictionary::kMaxIndexFileBytes); !read.Ok()) {
        return read;
    }
    if (!letter.MatchesFile(current)) {
        platform::TFileError changed{indexPath, TFileOperation::Update};
        changed.Fault = platform::TFileFault::ChangedMeanwhile;
        return changed;
    }

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
    const std::size_t position = InsertPosition(tab, headWord);
    // Whole records only: trailing bytes that make no record are dropped.
    const std::string_view kept(current.data(), letter.Size() * sizeof record);
    const std::size_t split = position * sizeof record;
    std::string bytes;
    bytes.reserve(kept.size() + sizeof record);
    bytes.append(kept.substr(0, split));
    bytes.append(reinterpret_cast<const char*>(&record), sizeof record);
    bytes.append(kept.substr(split));
    if (TFileResult written = platform::WriteFileAtomically(indexPath, bytes); !written.Ok()) {
        undo();
        return written;
    }
    letter.Insert(position, record);
    saved = {tab, position};
    return {};
}

} // namespace studylist
