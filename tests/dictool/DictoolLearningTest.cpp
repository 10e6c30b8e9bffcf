// dictool's export and learning commands as a user runs them.
#include "learning/LearningRecord.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int Exit = -1;
    std::string Output; // standard output and error together
};

// dictool with the arguments; a run of more than thirty seconds is stopped.
Outcome RunDictool(const std::string& args) {
    Outcome run;
    FILE* pipe = ::popen(("timeout 30 '" DICTOOL_PATH "' " + args + " 2>&1").c_str(), "r");
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        run.Output.append(buffer, n);
    }
    const int status = ::pclose(pipe);
    run.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class DictoolLearningTest : public ::testing::Test {
protected:
    DictoolLearningTest() {
        std::string pattern = (fs::temp_directory_path() / "dictool-learning-XXXXXX").string();
        dir_ = ::mkdtemp(pattern.data());
    }
    ~DictoolLearningTest() override { fs::remove_all(dir_); }

    // The path quoted for the shell. (Appended: gcc 12 warns falsely about
    // a literal + a temporary string.)
    std::string Path(const std::string& name) const {
        std::string quoted = "'";
        quoted += (dir_ / name).string();
        quoted += "'";
        return quoted;
    }

    fs::path dir_;
};

learning::TAnswer Answer(const std::string& entry, learning::TAnswerKind kind, long long minutes) {
    learning::TAnswer answer;
    answer.Entry = entry;
    answer.HeadWord = entry;
    answer.Tab = 7;
    answer.Kind = kind;
    answer.At = learning::FromMs(1709283600000LL + minutes * 60'000);
    return answer;
}

} // namespace

TEST_F(DictoolLearningTest, LearningPrintsEveryWordsRecordAndThenTheDueList) {
    {
        learning::TLearningRecord record(dir_ / "Learning.db");
        record.Record(Answer("house", learning::TAnswerKind::Right, 0));
        record.Record(Answer("house", learning::TAnswerKind::Right, 10));
        record.Record(Answer("\xEA\xFA\xF9\xE0", learning::TAnswerKind::Wrong, 20));
        record.Record(Answer("seen", learning::TAnswerKind::Seen, 30));
    }
    std::ofstream(dir_ / "list", std::ios::binary) << "house\r\nnew\r\nseen\r\n";
    const Outcome run = RunDictool("learning --dir " + Path("") + " --list " + Path("list"));
    EXPECT_EQ(run.Exit, 0) << run.Output;
    // March 2024 is long past: both reviewed words are due.
    EXPECT_NE(run.Output.find("house\treview\t2\t2\t0\t0\t2.31\t"), std::string::npos)
        << run.Output;
    EXPECT_NE(run.Output.find("\t2024-03-01 09:10\t2024-03-03 09:10\n"), std::string::npos);
    EXPECT_NE(run.Output.find("\u043A\u044A\u0449\u0430\tlearning\t1\t0\t1\t0\t"),
              std::string::npos);
    EXPECT_NE(run.Output.find("seen\tnew\t0\t0\t0\t1\t-\t-\t-\t-\n"), std::string::npos);
    EXPECT_NE(run.Output.find("# due now, most overdue first: 2\n\u043A\u044A\u0449\u0430\t"
                              "2024-03-01 09:21\nhouse\t2024-03-03 09:10\n"),
              std::string::npos)
        << run.Output;
    EXPECT_NE(run.Output.find(": 2 (0 begun today)\nnew\nseen\n"), std::string::npos) << run.Output;
}

TEST_F(DictoolLearningTest, LearningWithoutARecordSaysSo) {
    const Outcome run = RunDictool("learning --dir " + Path(""));
    EXPECT_EQ(run.Exit, 1);
    EXPECT_NE(run.Output.find("holds no learning record"), std::string::npos) << run.Output;
    EXPECT_FALSE(fs::exists(dir_ / "Learning.db"));
    EXPECT_EQ(RunDictool("learning").Exit, 2);
}

TEST_F(DictoolLearningTest, ExportNamesTheWordsLeftOutAndRefusesAnExistingFile) {
    std::ofstream(dir_ / "words.tsv", std::ios::binary) << "hot\th\u0252t\tгорещ\tadj\n"
                                                           "house\tha\u028As\tкъща\tn\n";
    ASSERT_EQ(RunDictool("build " + Path("words.tsv") + " -o " + Path("dict")).Exit, 0);
    std::ofstream(dir_ / "list", std::ios::binary) << "house\r\nhous\r\nhot\r\n";
    const Outcome written = RunDictool("export --dir " + Path("dict") + " --list " + Path("list") +
                                       " -o " + Path("list.tsv"));
    EXPECT_EQ(written.Exit, 0) << written.Output;
    EXPECT_NE(written.Output.find("left out: \"hous\""), std::string::npos) << written.Output;
    EXPECT_NE(written.Output.find("Wrote 2 words"), std::string::npos) << written.Output;
    std::ifstream in(dir_ / "list.tsv");
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    // The build writes the transcription in the pronunciation key's notation.
    EXPECT_NE(text.find("\nhouse\thaus\t"), std::string::npos) << text;

    const Outcome again = RunDictool("export --dir " + Path("dict") + " --list " + Path("list") +
                                     " -o " + Path("list.tsv"));
    EXPECT_EQ(again.Exit, 1);
    EXPECT_NE(again.Output.find("--replace"), std::string::npos) << again.Output;
    EXPECT_EQ(RunDictool("export --dir " + Path("dict") + " --list " + Path("list") + " -o " +
                         Path("list.tsv") + " --replace")
                  .Exit,
              0);
    EXPECT_EQ(RunDictool("export --dir " + Path("dict") + " --list " + Path("list") + " -o " +
                         Path("list.txt"))
                  .Exit,
              2);
}
