// The word-form files on any bytes: the first byte says which of the two the
// rest is read as. A file that is not intact is refused with a reason; one that
// is read answers look-ups of its own keys and of any word without failing.
#include "tests/fuzz/FuzzSupport.h"

#include "wordforms/FormTable.h"
#include "wordforms/WordForms.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto kind =
        data[0] % 2 == 0 ? wordforms::TTableKind::Forms : wordforms::TTableKind::Frequency;
    const std::string bytes(fuzz::AsText(data + 1, size - 1));
    std::string problem;
    const auto table = wordforms::TFormTable::Parse(bytes, kind, problem);
    if (!table) {
        fuzz::Check(!problem.empty(), "a refused file gives no reason");
        return 0;
    }
    std::vector<wordforms::TTableRecord> records;
    for (std::size_t i = 0; i < table->Size(); ++i) {
        const auto record = table->At(i);
        fuzz::Check(!record.Key.empty(), "a record without a key was read");
        fuzz::Check(!table->Find(record.Key).empty(), "a record is not found by its own key");
        records.push_back({std::string(record.Key), std::string(record.Word), record.Value});
    }
    // Written again, the records read back the same.
    const auto again =
        wordforms::TFormTable::Parse(wordforms::WriteFormTable(records, kind), kind, problem);
    fuzz::Check(again.has_value(), "a table written from read records is refused");
    fuzz::Check(again->Size() <= table->Size(), "writing made records up");

    // The resolver over the table and its own keys as head-words.
    if (kind == wordforms::TTableKind::Forms) {
        std::vector<std::string> headWords;
        for (const auto& record : records) {
            headWords.push_back(record.Word);
        }
        const wordforms::TFormResolver resolver(
            wordforms::THeadWords(headWords), *table,
            *wordforms::TFormTable::Parse(
                wordforms::WriteFormTable({}, wordforms::TTableKind::Frequency),
                wordforms::TTableKind::Frequency, problem));
        for (const auto& record : records) {
            const auto form = resolver.Resolve(record.Key);
            if (form) {
                fuzz::Check(resolver.HeadWords().Find(form->HeadWord).has_value(),
                            "a form resolved to no head-word");
            }
            resolver.Suggest(record.Key);
        }
    }
    return 0;
}
