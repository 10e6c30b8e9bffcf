#include "export/ArticleHtml.h"
#include "export/ExportFiles.h"
#include "export/Sha1.h"
#include "export/ZipLibrary.h"
#include "learning/Sqlite.h"
#include "platform/FileIo.h"

#include <initializer_list>
#include <memory>

namespace exporting {

using learning::sqlite::TDatabase;
using learning::sqlite::TStatement;

namespace {

// The note type's id stays the same from one export to the next, so the
// notes a second export brings match the ones the first brought.
constexpr std::int64_t kModelId = 1709251200123;
constexpr std::uintmax_t kMaxSoundBytes = 16 << 20;

// The collection's schema, version 11.
constexpr const char* kCollectionSchema = R"sql(
CREATE TABLE col (id integer primary key, crt integer not null, mod integer not null,
    scm integer not null, ver integer not null, dty integer not null, usn integer not null,
    ls integer not null, conf text not null, models text not null, decks text not null,
    dconf text not null, tags text not null);
CREATE TABLE notes (id integer primary key, guid text not null, mid integer not null,
    mod integer not null, usn integer not null, tags text not null, flds text not null,
    sfld integer not null, csum integer not null, flags integer not null, data text not null);
CREATE TABLE cards (id integer primary key, nid integer not null, did integer not null,
    ord integer not null, mod integer not null, usn integer not null, type integer not null,
    queue integer not null, due integer not null, ivl integer not null, factor integer not null,
    reps integer not null, lapses integer not null, left integer not null, odue integer not null,
    odid integer not null, flags integer not null, data text not null);
CREATE TABLE revlog (id integer primary key, cid integer not null, usn integer not null,
    ease integer not null, ivl integer not null, lastIvl integer not null,
    factor integer not null, time integer not null, type integer not null);
CREATE TABLE graves (usn integer not null, oid integer not null, type integer not null);
CREATE INDEX ix_notes_usn on notes (usn);
CREATE INDEX ix_cards_usn on cards (usn);
CREATE INDEX ix_revlog_usn on revlog (usn);
CREATE INDEX ix_cards_nid on cards (nid);
CREATE INDEX ix_cards_sched on cards (did, queue, due);
CREATE INDEX ix_revlog_cid on revlog (cid);
CREATE INDEX ix_notes_csum on notes (csum);
)sql";

std::string Quote(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                static constexpr char digits[] = "0123456789abcdef";
                quoted += "\\u00";
                quoted += digits[(c >> 4) & 15];
                quoted += digits[c & 15];
            } else {
                quoted += c;
            }
        }
    }
    return quoted + "\"";
}

constexpr const char* kWordSide =
    "<div class=\"word\">{{Word}}</div>{{#Transcription}}<div class=\"transcription\">"
    "[{{Transcription}}]</div>{{/Transcription}}{{Sound}}";
constexpr const char* kTranslationSide = "<div class=\"translation\">{{Translation}}</div>";
constexpr const char* kStyle =
    ".card { font-family: sans-serif; font-size: 20px; text-align: center; }\n"
    ".word { font-size: 28px; font-weight: bold; }\n"
    ".translation { display: inline-block; text-align: left; }\n";

// Joins the pieces of a JSON text. (Appending, as gcc 12 warns falsely about
// a literal + a temporary string.)
std::string Join(std::initializer_list<std::string_view> pieces) {
    std::string joined;
    for (const std::string_view piece : pieces) {
        joined += piece;
    }
    return joined;
}

std::string Field(std::string_view name, int ord) {
    return Join({"{\"name\": ", Quote(name), ", \"ord\": ", std::to_string(ord),
                 ", \"sticky\": false, \"rtl\": false, \"font\": \"Arial\", \"size\": 20, "
                 "\"media\": []}"});
}

std::string Template(std::string_view name, int ord, std::string_view front,
                     std::string_view back) {
    return Join({"{\"name\": ", Quote(name), ", \"ord\": ", std::to_string(ord),
                 ", \"qfmt\": ", Quote(front),
                 ", \"afmt\": ", Quote(Join({"{{FrontSide}}<hr id=\"answer\">", back})),
                 ", \"did\": null, \"bqfmt\": \"\", \"bafmt\": \"\"}"});
}

constexpr const char* kLatexPre =
    "\\documentclass[12pt]{article}\n\\special{papersize=3in,5in}\n"
    "\\usepackage[utf8]{inputenc}\n\\usepackage{amssymb,amsmath}\n"
    "\\pagestyle{empty}\n\\setlength{\\parindent}{0in}\n\\begin{document}\n";

std::string Models(std::int64_t deckId, std::int64_t nowSeconds) {
    const std::string id = std::to_string(kModelId);
    return Join({"{",
                 Quote(id),
                 ": {\"id\": ",
                 id,
                 ", \"name\": \"English-Bulgarian dictionary word\", \"type\": 0, \"mod\": ",
                 std::to_string(nowSeconds),
                 ", \"usn\": -1, \"sortf\": 0, \"did\": ",
                 std::to_string(deckId),
                 ", \"tmpls\": [",
                 Template("Word \u2192 translation", 0, kWordSide, kTranslationSide),
                 ", ",
                 Template("Translation \u2192 word", 1, kTranslationSide, kWordSide),
                 "], \"flds\": [",
                 Field("Word", 0),
                 ", ",
                 Field("Transcription", 1),
                 ", ",
                 Field("Translation", 2),
                 ", ",
                 Field("Sound", 3),
                 "], \"css\": ",
                 Quote(kStyle),
                 ", \"latexPre\": ",
                 Quote(kLatexPre),
                 ", \"latexPost\": \"\\\\end{document}\", \"latexsvg\": false, \"tags\": [], "
                 "\"vers\": [], \"req\": [[0, \"any\", [0]], [1, \"any\", [2]]]}}"});
}

std::string Deck(std::int64_t id, std::string_view name, std::int64_t nowSeconds) {
    return Join({"{\"id\": ", std::to_string(id), ", \"name\": ", Quote(name),
                 ", \"mod\": ", std::to_string(nowSeconds),
                 ", \"usn\": -1, \"lrnToday\": [0, 0], \"revToday\": [0, 0], "
                 "\"newToday\": [0, 0], \"timeToday\": [0, 0], \"collapsed\": false, "
                 "\"browserCollapsed\": false, \"desc\": \"\", \"dyn\": 0, \"conf\": 1, "
                 "\"extendNew\": 0, \"extendRev\": 0}"});
}

constexpr const char* kDeckOptions =
    "{\"1\": {\"id\": 1, \"name\": \"Default\", \"mod\": 0, \"usn\": 0, \"maxTaken\": 60, "
    "\"autoplay\": true, \"timer\": 0, \"replayq\": true, \"dyn\": false, "
    "\"new\": {\"bury\": false, \"delays\": [1.0, 10.0], \"initialFactor\": 2500, "
    "\"ints\": [1, 4, 0], \"order\": 1, \"perDay\": 20}, "
    "\"lapse\": {\"delays\": [10.0], \"leechAction\": 1, \"leechFails\": 8, \"minInt\": 1, "
    "\"mult\": 0.0}, \"rev\": {\"bury\": false, \"ease4\": 1.3, \"ivlFct\": 1.0, "
    "\"maxIvl\": 36500, \"perDay\": 200, \"hardFactor\": 1.2}}}";

// The first field as Anki compares notes: its text, as a number from the
// first eight hexadecimal digits of its SHA-1.
std::int64_t FieldChecksum(std::string_view text) {
    return static_cast<std::int64_t>(std::stoul(Sha1Hex(text).substr(0, 8), nullptr, 16));
}

std::string Collection(const std::vector<TNote>& notes, const TExportOptions& options) {
    const std::int64_t nowSeconds = options.NowMs / 1000;
    const std::int64_t deckId = options.NowMs;
    TDatabase db = TDatabase::OpenInMemory();
    db.Exec(kCollectionSchema);
    db.Exec("BEGIN");
    const std::string deckName = options.DeckName.empty() ? "English-Bulgarian" : options.DeckName;
    const std::string decks = "{\"1\": " + Deck(1, "Default", 0) + ", " +
                              Quote(std::to_string(deckId)) + ": " +
                              Deck(deckId, deckName, nowSeconds) + "}";
    const std::string conf = "{\"activeDecks\": [" + std::to_string(deckId) +
                             "], \"curDeck\": " + std::to_string(deckId) +
                             ", \"newSpread\": 0, \"collapseTime\": 1200, \"timeLim\": 0, "
                             "\"estTimes\": true, \"dueCounts\": true, \"curModel\": " +
                             Quote(std::to_string(kModelId)) +
                             ", \"nextPos\": " + std::to_string(notes.size() + 1) +
                             ", \"sortType\": \"noteFld\", \"sortBackwards\": false, "
                             "\"addToCur\": true}";
    TStatement col(db, "INSERT INTO col VALUES(1, ?1, ?2, ?2, 11, 0, 0, 0, ?3, ?4, ?5, ?6, '{}')");
    col.Bind(1, nowSeconds / 86400 * 86400)
        .Bind(2, options.NowMs)
        .BindText(3, conf)
        .BindText(4, Models(deckId, nowSeconds))
        .BindText(5, decks)
        .BindText(6, kDeckOptions)
        .Run();
    TStatement note(db, "INSERT INTO notes VALUES(?1, ?2, ?3, ?4, -1, '', ?5, ?6, ?7, 0, '')");
    TStatement card(db, "INSERT INTO cards VALUES(?1, ?2, ?3, ?4, ?5, -1, 0, 0, ?6, 0, 0, 0, 0, "
                        "0, 0, 0, 0, '')");
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const TNote& n = notes[i];
        const auto noteId = options.NowMs + static_cast<std::int64_t>(i);
        const std::string sound = n.MediaName.empty() ? "" : Join({"[sound:", n.MediaName, "]"});
        const std::string fields = Join({EscapeHtml(n.Word), "\x1f", EscapeHtml(n.Transcription),
                                         "\x1f", n.TranslationHtml, "\x1f", sound});
        note.Bind(1, noteId)
            .BindText(2, n.Guid)
            .Bind(3, kModelId)
            .Bind(4, nowSeconds)
            .BindText(5, fields)
            .BindText(6, n.Word)
            .Bind(7, FieldChecksum(n.Word))
            .Run();
        for (std::int64_t ord = 0; ord < 2; ++ord) {
            card.Bind(1, options.NowMs + 2 * static_cast<std::int64_t>(i) + ord)
                .Bind(2, noteId)
                .Bind(3, deckId)
                .Bind(4, ord)
                .Bind(5, nowSeconds)
                .Bind(6, static_cast<std::int64_t>(i + 1))
                .Run();
        }
    }
    db.Exec("COMMIT");
    return db.Serialize();
}

struct TZipCloser {
    void operator()(zip_t* archive) const { ZipLibrary().Discard(archive); }
};

// Adds bytes that stay alive until the archive is closed.
bool AddEntry(zip_t* archive, const std::string& name, const std::string& bytes, bool compress) {
    const TZipLibrary& zip = ZipLibrary();
    zip_source_t* source = zip.SourceBuffer(archive, bytes.data(), bytes.size(), 0);
    if (!source) {
        return false;
    }
    const zip_int64_t index = zip.FileAdd(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip.SourceFree(source);
        return false;
    }
    return zip.SetFileCompression(archive, static_cast<zip_uint64_t>(index),
                                  compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0) == 0;
}

} // namespace

TExportResult ExportAnkiPackage(std::span<const std::string> entries, const TWordSource& words,
                                const std::filesystem::path& file, const TExportOptions& options) {
    TExportRun run(entries, words, file, options);
    if (!run.Ready()) {
        return run.Result;
    }
    TExportResult& result = run.Result;
    // A pronunciation that cannot be read is left out, as the program plays
    // nothing for it.
    std::vector<std::string> sounds;
    std::string media = "{";
    for (TNote& note : run.Notes.Notes) {
        std::string bytes;
        if (note.Sound.empty() ||
            !platform::ReadWholeFile(note.Sound, bytes, kMaxSoundBytes).Ok()) {
            note.Sound.clear();
            note.MediaName.clear();
            continue;
        }
        media += Join({sounds.empty() ? "" : ", ", Quote(std::to_string(sounds.size())), ": ",
                       Quote(note.MediaName)});
        sounds.push_back(std::move(bytes));
    }
    media += "}";
    const std::string collection = Collection(run.Notes.Notes, options);

    const TZipLibrary& zip = ZipLibrary();
    if (!zip.Loaded) {
        result.Status = TExportStatus::Unwritable;
        result.Detail = zip.Failure;
        return result;
    }
    int error = 0;
    std::unique_ptr<zip_t, TZipCloser> archive(
        zip.Open(run.Pending->Path().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error));
    if (!archive) {
        zip_error_t why;
        zip.ErrorInitWithCode(&why, error);
        result.Status = TExportStatus::Unwritable;
        result.Detail = zip.ErrorStrError(&why);
        zip.ErrorFini(&why);
        return result;
    }
    bool added = AddEntry(archive.get(), "collection.anki2", collection, true) &&
                 AddEntry(archive.get(), "media", media, true);
    for (std::size_t i = 0; added && i < sounds.size(); ++i) {
        added = AddEntry(archive.get(), std::to_string(i), sounds[i], false);
    }
    if (!added || zip.Close(archive.get()) != 0) {
        result.Status = TExportStatus::Unwritable;
        result.Detail = zip.StrError(archive.get());
        return result;
    }
    archive.release();
    return run.Finish();
}

} // namespace exporting
