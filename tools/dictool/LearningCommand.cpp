#include "dictool/LearningCommand.h"

#include "dictool/CommandOptions.h"

#include "learning/LearningRecord.h"
#include "platform/Cp1251.h"
#include "studylist/StudyListFile.h"

#include <ctime>
#include <iomanip>
#include <iostream>

namespace dictool {

namespace {

std::string UtcTime(std::int64_t ms) {
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &utc);
    return text;
}

std::string_view FaultName(learning::TFaultKind kind) {
    switch (kind) {
    case learning::TFaultKind::Busy:
        return "busy";
    case learning::TFaultKind::Unwritable:
        return "cannot be written";
    case learning::TFaultKind::Damaged:
        return "damaged";
    case learning::TFaultKind::Newer:
        return "written by a newer version";
    }
    return "";
}

} // namespace

int LearningCommand(const std::vector<std::string>& args) {
    std::map<std::string, std::string> options;
    if (!ParseCommandOptions(args, {"--dir", "--list"}, {}, options)) {
        return 2;
    }
    if (!options.contains("--dir")) {
        return CommandUsage("learning needs --dir STATE");
    }
    const std::string dir = options["--dir"];
    const std::string listFile = options.contains("--list") ? options["--list"] : "";
    std::vector<std::string> list;
    if (!listFile.empty()) {
        if (const auto read = studylist::ReadStudyListFile(listFile, list); !read.Ok()) {
            std::cerr << "dictool: " << StudyListProblem(read.Error()) << "\n";
            return 1;
        }
    }
    const std::filesystem::path file = std::filesystem::path(dir) / "Learning.db";
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        std::cerr << "dictool: " << dir << " holds no learning record (Learning.db)\n";
        return 1;
    }
    learning::TLearningRecord record(file);
    const auto words = record.Words();
    const learning::TDayClock clock{learning::Now()};
    const learning::TDueList due = record.DueList(list, clock);
    for (const learning::TRecordFault& fault : record.TakeFaults()) {
        std::cerr << "dictool: the learning record " << fault.File.string() << " "
                  << FaultName(fault.Kind) << ": " << fault.Detail;
        if (!fault.MovedTo.empty()) {
            std::cerr << "; moved to " << fault.MovedTo.string();
        }
        std::cerr << "\n";
    }
    std::cout << "# word\tstate\tanswers\tright\tmissed\tseen\tstability\tdifficulty\t"
                 "last review (UTC)\tdue (UTC)\n";
    for (const learning::TWordRecord& word : words) {
        const learning::TWordState& s = word.State;
        std::cout << platform::Cp1251ToUtf8(word.Entry) << '\t'
                  << learning::CardStateName(s.Card.State) << '\t' << s.Reviews << '\t' << s.Rights
                  << '\t' << s.Misses << '\t' << s.Seen << '\t';
        if (s.Reviewed()) {
            std::cout << std::fixed << std::setprecision(2) << s.Card.Stability << '\t'
                      << s.Card.Difficulty << '\t' << UtcTime(s.Card.LastReviewMs) << '\t'
                      << UtcTime(s.Card.DueMs) << '\n';
        } else {
            std::cout << "-\t-\t-\t-\n";
        }
    }
    std::cout << "\n# due now, most overdue first: " << due.Due.size() << "\n";
    for (const learning::TDueWord& word : due.Due) {
        std::cout << platform::Cp1251ToUtf8(word.Entry) << '\t' << UtcTime(word.DueMs) << '\n';
    }
    if (!listFile.empty()) {
        std::cout << "\n# new words of " << listFile << ": " << due.New.size() << " ("
                  << due.NewToday << " begun today)\n";
        for (const std::string& entry : due.New) {
            std::cout << platform::Cp1251ToUtf8(entry) << '\n';
        }
    }
    return 0;
}

} // namespace dictool
