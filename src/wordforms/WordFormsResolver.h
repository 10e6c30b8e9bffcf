#pragma once

#include "dictionary/LookupService.h"
#include "wordforms/WordForms.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wordforms {

// The word forms of a dictionary as the look-up service asks for them: the
// files are read on the first question, never at start, and when they are
// missing or damaged every answer is nothing, so that the look-up keeps the
// rule it has without word forms.
class TWordFormsResolver : public dictionary::TWordResolver {
public:
    // dataDir holds the forms folder the data build writes; index must
    // outlive this object.
    TWordFormsResolver(std::filesystem::path dataDir, const dictionary::DictionaryIndex& index);

    std::optional<dictionary::TResolvedWord> Resolve(std::string_view text) override;
    std::vector<std::string> Suggest(std::string_view text) override;
    std::optional<dictionary::TResolverFault> TakeFault() override;

    const TWordForms& Forms() const { return forms_; }

private:
    TWordForms forms_;
    bool faultTaken_ = false;
};

} // namespace wordforms
