// Checks the data files that the build makes in the default data folder:
// the reference and key pages, the help pages, the key samples and the
// exercises' pictures and sounds.
#include "dictionary/LetterIndex.h"
#include "dictool/Abbreviations.h"
#include "rtf/RtfDocument.h"
#include "rtf/RtfReader.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextLayout>
#include <QUrl>

#include <gtest/gtest.h>
#include <mpg123.h>

#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kRunDir = DICT_RUN_DIR;

std::string FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return lines;
}

// The key's symbols, in the order of its buttons.
constexpr std::array<const char*, 48> kKeySymbols = {
    "iː", "i",  "e",  "æ",  "ə",  "əː",  "ʌ",   "aː",  "ɔ", "ɔː", "u", "uː", "ei", "ai", "ɔi", "au",
    "ou", "ɛə", "iə", "uə", "ɔə", "auə", "aiə", "eiə", "j", "w",  "p", "b",  "t",  "d",  "k",  "g",
    "θ",  "ð",  "s",  "z",  "f",  "v",   "ʃ",   "tʃ",  "ʒ", "dʒ", "m", "n",  "ŋ",  "r",  "l",  "h"};

const char* const kHelpPages[] = {"help",    "helpe",   "metod1",  "metod1e", "metod2",
                                  "metod2e", "metod3",  "metod3e", "metod4",  "metod4e",
                                  "metod5",  "metod5e", "metod6",  "metod6e"};

TEST(DataFolder, HoldsEveryFileTheWindowsRead) {
    std::vector<std::string> names = {
        "Start1.bmp",    "Start2.bmp",      "Stop2.bmp",    "Record1.bmp", "a.bmp",
        "b.bmp",         "da.wav",          "ne.wav",       "rtf/bg.rtf",  "rtf/eng.rtf",
        "rtf/order.rtf", "rtf/orderEn.rtf", "rtf/trans.rtf"};
    for (int n = 1; n <= 48; ++n) {
        names.push_back("trans/" + std::to_string(n) + ".mp3");
    }
    for (const char* page : kHelpPages) {
        names.push_back(std::string("hlp/") + page + ".htm");
    }
    for (const std::string& name : names) {
        EXPECT_TRUE(fs::is_regular_file(kRunDir / name) && fs::file_size(kRunDir / name) > 0)
            << name;
    }
}

// --- Reference pages -------------------------------------------------------

TEST(ReferencePages, AreCompleteDocumentsOfRealText) {
    const std::map<std::string, std::vector<std::string>> mustSay = {
        {"bg", {"Съкращения", "същ.", "съществително име"}},
        {"eng", {"Abbreviations", "същ.", "noun"}},
        {"order", {"FreeDict", "CC BY-SA 3.0", "espeak-ng", "scripts/run.sh", "dictool"}},
        {"orderEn", {"FreeDict", "CC BY-SA 3.0", "espeak-ng", "scripts/run.sh", "dictool"}},
    };
    for (const auto& [page, phrases] : mustSay) {
        const std::string bytes = FileBytes(kRunDir / "rtf" / (page + ".rtf"));
        // The program's reader takes single bytes as code page 1251: every
        // other character must come escaped.
        for (const char c : bytes) {
            ASSERT_LT(static_cast<unsigned char>(c), 0x80) << page;
        }
        EXPECT_EQ(rtf::RtfDocumentLength(bytes).value_or(0), bytes.find_last_of('}') + 1) << page;
        const std::string text = rtf::RtfToPlainText(bytes);
        EXPECT_GT(text.size(), 800u) << page;
        for (const std::string& phrase : phrases) {
            EXPECT_NE(text.find(phrase), std::string::npos) << page << ": " << phrase;
        }
    }
}

TEST(ReferencePages, KeysExplainEveryAbbreviationOfTheDictionary) {
    dictionary::DictionaryIndex index;
    ASSERT_FALSE(index.Load(kRunDir).NoDictionary());
    const auto used = dictool::UsedAbbreviations(index);
    ASSERT_GE(used.size(), 10u);
    for (const char* gloss : {"e.g.", "intr.", "tr.", "fig.", "spp."}) {
        EXPECT_TRUE(used.contains(gloss)) << gloss << " is used by the glosses";
    }
    for (const char* key : {"bg", "eng"}) {
        const auto explained =
            dictool::KeyAbbreviations(FileBytes(kRunDir / "rtf" / (std::string(key) + ".rtf")));
        EXPECT_EQ(dictool::UnexplainedAbbreviations(used, explained), std::vector<std::string>{})
            << key;
    }
}

// --- Pronunciation key -------------------------------------------------------

TEST(PronunciationKey, HasOneLinePerKeyInButtonOrder) {
    const std::string text = rtf::RtfToPlainText(FileBytes(kRunDir / "rtf/trans.rtf"));
    ASSERT_EQ(text.back(), '\n');
    const std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), 48u);
    for (std::size_t n = 0; n < 48; ++n) {
        // A no-break space pads the line, then the symbol and two more.
        const std::string symbol = std::string("\u00a0") + kKeySymbols[n] + "\u00a0\u00a0";
        EXPECT_EQ(lines[n].rfind(symbol, 0), 0u) << "line " << n + 1 << ": " << lines[n];
        EXPECT_NE(lines[n].find(" \u2014 "), std::string::npos) << lines[n];
        EXPECT_EQ(lines[n].back(), ']') << lines[n];
    }
}

TEST(PronunciationKey, EachLineFillsTheStripAndFitsItsWidth) {
    const std::string bytes = FileBytes(kRunDir / "rtf/trans.rtf");
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    QTextDocument document;
    rtf::LoadRtf(document, bytes, font);
    document.setDocumentMargin(0);
    QTextOption noWrap;
    noWrap.setWrapMode(QTextOption::NoWrap);
    document.setDefaultTextOption(noWrap);
    document.adjustSize();
    ASSERT_EQ(document.blockCount(), 48);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        ASSERT_EQ(layout->lineCount(), 1) << block.text().toStdString();
        const QTextLine line = layout->lineAt(0);
        // The strip is 311 x 27 pixels, less its frame and margins.
        EXPECT_LE(line.naturalTextWidth(), 300.0) << block.text().toStdString();
        EXPECT_GE(line.height(), 22.0) << block.text().toStdString();
        EXPECT_LE(line.height(), 27.0) << block.text().toStdString();
    }
}

struct Pcm {
    long Rate = 0;
    int Channels = 0;
    std::vector<short> Samples;
};

Pcm DecodeMp3(const fs::path& path) {
    Pcm pcm;
    mpg123_handle* handle = mpg123_new(nullptr, nullptr);
    if (handle == nullptr) {
        return pcm;
    }
    mpg123_param(handle, MPG123_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0);
    if (mpg123_open(handle, path.c_str()) == MPG123_OK) {
        int encoding = 0;
        mpg123_getformat(handle, &pcm.Rate, &pcm.Channels, &encoding);
        mpg123_format_none(handle);
        mpg123_format(handle, pcm.Rate, pcm.Channels, MPG123_ENC_SIGNED_16);
        std::vector<unsigned char> buffer(16384);
        std::size_t done = 0;
        int result = MPG123_OK;
        while (result == MPG123_OK || result == MPG123_NEW_FORMAT) {
            result = mpg123_read(handle, buffer.data(), buffer.size(), &done);
            const auto* samples = reinterpret_cast<const short*>(buffer.data());
            pcm.Samples.insert(pcm.Samples.end(), samples, samples + done / sizeof(short));
        }
        mpg123_close(handle);
    }
    mpg123_delete(handle);
    return pcm;
}

// Root mean square of each 20-millisecond window of mono samples.
std::vector<double> WindowLevels(const std::vector<short>& samples, long rate) {
    const std::size_t window = static_cast<std::size_t>(rate / 50);
    std::vector<double> levels;
    for (std::size_t start = 0; start + window <= samples.size(); start += window) {
        double sum = 0;
        for (std::size_t i = start; i < start + window; ++i) {
            sum += double(samples[i]) * samples[i];
        }
        levels.push_back(std::sqrt(sum / window));
    }
    return levels;
}

constexpr double kVoiced = 400; // a window louder than this holds speech

TEST(PronunciationKey, SamplesSpeakTheSoundThenAfterAPauseTheWord) {
    ASSERT_EQ(mpg123_init(), MPG123_OK);
    for (int n = 1; n <= 48; ++n) {
        const Pcm pcm = DecodeMp3(kRunDir / "trans" / (std::to_string(n) + ".mp3"));
        ASSERT_EQ(pcm.Rate, 22050) << n;
        ASSERT_EQ(pcm.Channels, 1) << n;
        const double seconds = double(pcm.Samples.size()) / pcm.Rate;
        EXPECT_GT(seconds, 1.0) << n;
        EXPECT_LT(seconds, 4.0) << n;
        // Speech, then at least 0.3 s of quiet, then speech again.
        const std::vector<double> levels = WindowLevels(pcm.Samples, pcm.Rate);
        std::size_t first = 0;
        while (first < levels.size() && levels[first] < kVoiced) {
            ++first;
        }
        std::size_t longestGap = 0;
        std::size_t gap = 0;
        std::size_t voicedAfterGap = 0;
        for (std::size_t i = first; i < levels.size(); ++i) {
            if (levels[i] < kVoiced) {
                ++gap;
                continue;
            }
            if (gap >= 15) {
                voicedAfterGap = 0;
            }
            longestGap = std::max(longestGap, gap);
            gap = 0;
            ++voicedAfterGap;
        }
        EXPECT_LT(first * 0.02, 0.5) << "sample " << n << " starts late";
        EXPECT_GE(longestGap, 15u) << "sample " << n << " has no pause before its word";
        EXPECT_GE(voicedAfterGap, 8u) << "sample " << n << " has no word after its pause";
    }
    mpg123_exit();
}

// --- Exercise pictures and sounds ------------------------------------------

struct Wave {
    int Format = 0;
    int Channels = 0;
    int Rate = 0;
    int Bits = 0;
    std::vector<short> Samples;
};

Wave ReadWave(const fs::path& path) {
    const std::string bytes = FileBytes(path);
    Wave wave;
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
        return wave;
    }
    auto number = [&](std::size_t at, int size) {
        unsigned value = 0;
        for (int i = size - 1; i >= 0; --i) {
            value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
        }
        return value;
    };
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const std::size_t size = number(at + 4, 4);
        const std::size_t body = at + 8;
        if (body + size > bytes.size()) {
            break;
        }
        if (id == "fmt " && size >= 16) {
            wave.Format = static_cast<int>(number(body, 2));
            wave.Channels = static_cast<int>(number(body + 2, 2));
            wave.Rate = static_cast<int>(number(body + 4, 4));
            wave.Bits = static_cast<int>(number(body + 14, 2));
        } else if (id == "data") {
            wave.Samples.resize(size / 2);
            std::memcpy(wave.Samples.data(), bytes.data() + body, wave.Samples.size() * 2);
        }
        at = body + size + (size & 1);
    }
    return wave;
}

TEST(ExerciseData, VerdictSoundsAreShortSpokenPcmWaves) {
    std::vector<short> previous;
    for (const char* name : {"da.wav", "ne.wav"}) {
        const Wave wave = ReadWave(kRunDir / name);
        EXPECT_EQ(wave.Format, 1) << name; // PCM
        EXPECT_EQ(wave.Bits, 16) << name;
        EXPECT_EQ(wave.Channels, 1) << name;
        ASSERT_GT(wave.Rate, 0) << name;
        const double seconds = double(wave.Samples.size()) / wave.Rate;
        EXPECT_GT(seconds, 0.2) << name;
        EXPECT_LT(seconds, 1.5) << name;
        const std::vector<double> levels = WindowLevels(wave.Samples, wave.Rate);
        const auto voiced = std::count_if(levels.begin(), levels.end(),
                                          [](double level) { return level >= kVoiced; });
        EXPECT_GE(voiced, 5) << name << " is nearly silent";
        EXPECT_NE(wave.Samples, previous) << name;
        previous = wave.Samples;
    }
}

// Share of a picture's pixels near a colour.
double ShareNear(const QImage& image, QColor colour) {
    int near = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                    std::abs(c.blue() - colour.blue()) <
                60) {
                ++near;
            }
        }
    }
    return double(near) / (image.width() * image.height());
}

TEST(ExerciseData, PicturesAreUncompressedBitmapsOfTheirSizes) {
    const std::map<std::string, QSize> sizes = {{"Start1.bmp", {28, 28}},
                                                {"Start2.bmp", {28, 28}},
                                                {"Stop2.bmp", {28, 28}},
                                                {"a.bmp", {64, 64}},
                                                {"b.bmp", {64, 64}}};
    for (const auto& [name, size] : sizes) {
        const std::string bytes = FileBytes(kRunDir / name);
        // A Windows 3 bitmap: the 40-byte information header, 24 bits a pixel.
        ASSERT_GT(bytes.size(), 54u) << name;
        EXPECT_EQ(bytes.compare(0, 2, "BM"), 0) << name;
        EXPECT_EQ(static_cast<unsigned char>(bytes[14]), 40) << name;
        EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 24) << name;
        const QImage image(QString::fromStdString((kRunDir / name).string()));
        EXPECT_EQ(image.size(), size) << name;
    }
    // The two Start phases differ, so that the button visibly blinks.
    const QImage start1(QString::fromStdString((kRunDir / "Start1.bmp").string()));
    const QImage start2(QString::fromStdString((kRunDir / "Start2.bmp").string()));
    EXPECT_GT(ShareNear(start2, QColor(0xf2, 0xa5, 0x41)), 0.05);
    EXPECT_LT(ShareNear(start1, QColor(0xf2, 0xa5, 0x41)), 0.01);
    // Right is a teal badge, wrong a red one.
    const QImage right(QString::fromStdString((kRunDir / "a.bmp").string()));
    const QImage wrong(QString::fromStdString((kRunDir / "b.bmp").string()));
    EXPECT_GT(ShareNear(right, QColor(0x2a, 0x9d, 0x8f)), 0.3);
    EXPECT_LT(ShareNear(right, QColor(0xe0, 0x5a, 0x4f)), 0.01);
    EXPECT_GT(ShareNear(wrong, QColor(0xe0, 0x5a, 0x4f)), 0.3);
    EXPECT_LT(ShareNear(wrong, QColor(0x2a, 0x9d, 0x8f)), 0.01);
}

// --- Help pages ----------------------------------------------------------------

struct Link {
    QString Href;
    QString Text;
};

std::vector<Link> LinksOf(const QTextDocument& document) {
    std::vector<Link> links;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isAnchor() && !fragment.charFormat().anchorHref().isEmpty()) {
                links.push_back({fragment.charFormat().anchorHref(), fragment.text()});
            }
        }
    }
    return links;
}

std::set<QString> AnchorNamesOf(const QTextDocument& document) {
    std::set<QString> names;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        // An empty <a name> ends up on the block that follows it.
        for (const QString& name : block.charFormat().anchorNames()) {
            names.insert(name);
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            for (const QString& name : it.fragment().charFormat().anchorNames()) {
                names.insert(name);
            }
        }
    }
    return names;
}

TEST(HelpPages, LoadWithATitleAndTheSharedLook) {
    for (const char* page : kHelpPages) {
        const fs::path path = kRunDir / "hlp" / (std::string(page) + ".htm");
        const std::string source = FileBytes(path);
        EXPECT_NE(source.find("charset=utf-8"), std::string::npos) << page;
        EXPECT_NE(source.find("#16284a"), std::string::npos) << page << ": style not written in";
        QTextBrowser browser;
        browser.setSource(QUrl::fromLocalFile(QString::fromStdString(path.string())));
        const QTextDocument& document = *browser.document();
        EXPECT_FALSE(document.metaInformation(QTextDocument::DocumentTitle).isEmpty()) << page;
        const QString text = document.toPlainText();
        EXPECT_GT(text.size(), 1500) << page;
        // Read as UTF-8: the Cyrillic of the Bulgarian pages survives.
        const bool bulgarian = !std::string(page).ends_with("e");
        EXPECT_EQ(text.contains(QStringLiteral("Съдържание")), bulgarian) << page;
        EXPECT_EQ(text.contains(QStringLiteral("Contents")), !bulgarian) << page;
        EXPECT_TRUE(text.contains(QStringLiteral("F1"))) << page;
    }
}

TEST(HelpPages, EveryLinkResolvesWithinItsLanguage) {
    for (const char* page : kHelpPages) {
        const fs::path path = kRunDir / "hlp" / (std::string(page) + ".htm");
        const QUrl base = QUrl::fromLocalFile(QString::fromStdString(path.string()));
        QTextBrowser browser;
        browser.setSource(base);
        const std::vector<Link> links = LinksOf(*browser.document());
        EXPECT_GE(links.size(), 6u) << page;
        const bool english = std::string(page).ends_with("e");
        for (const Link& link : links) {
            const QUrl target = base.resolved(QUrl(link.Href));
            ASSERT_TRUE(target.isLocalFile()) << page << ": " << link.Href.toStdString();
            const QString file = target.toLocalFile();
            ASSERT_TRUE(QFileInfo(file).isFile()) << page << ": " << link.Href.toStdString();
            // Pages link to pages of their own language, except the index's
            // switch to the other language.
            const bool targetEnglish = QFileInfo(file).baseName().endsWith(u'e');
            if (targetEnglish != english) {
                EXPECT_TRUE(std::string(page).starts_with("help")) << page;
                EXPECT_TRUE(link.Text == QStringLiteral("English") ||
                            link.Text == QStringLiteral("Български"))
                    << page << ": " << link.Href.toStdString();
            }
            if (target.hasFragment()) {
                QTextBrowser other;
                other.setSource(target.adjusted(QUrl::RemoveFragment));
                EXPECT_TRUE(AnchorNamesOf(*other.document()).contains(target.fragment()))
                    << page << ": " << link.Href.toStdString();
            }
        }
    }
}

TEST(HelpPages, IndexesLeadToEveryMethodPage) {
    for (const char* index : {"help", "helpe"}) {
        const fs::path path = kRunDir / "hlp" / (std::string(index) + ".htm");
        QTextBrowser browser;
        browser.setSource(QUrl::fromLocalFile(QString::fromStdString(path.string())));
        std::set<QString> hrefs;
        for (const Link& link : LinksOf(*browser.document())) {
            hrefs.insert(link.Href);
        }
        const QString suffix = std::string(index) == "helpe" ? QStringLiteral("e") : QString();
        for (int n = 1; n <= 6; ++n) {
            EXPECT_TRUE(hrefs.contains(QStringLiteral("metod%1%2.htm").arg(n).arg(suffix)))
                << index << " " << n;
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
