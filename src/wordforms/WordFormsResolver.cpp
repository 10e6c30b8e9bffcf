#include "wordforms/WordFormsResolver.h"

namespace wordforms {

TWordFormsResolver::TWordFormsResolver(std::filesystem::path dataDir,
                                       const dictionary::DictionaryIndex& index)
    : forms_(std::move(dataDir), index) {}

std::optional<dictionary::TResolvedWord> TWordFormsResolver::Resolve(std::string_view text) {
    auto form = forms_.Resolve(text);
    if (!form) {
        return std::nullopt;
    }
    return dictionary::TResolvedWord{std::move(form->From), std::move(form->HeadWord),
                                     std::move(form->Phrases)};
}

std::vector<std::string> TWordFormsResolver::Suggest(std::string_view text) {
    return forms_.Suggest(text);
}

std::optional<dictionary::TResolverFault> TWordFormsResolver::TakeFault() {
    const auto& problem = forms_.Problem();
    if (!problem || faultTaken_) {
        return std::nullopt;
    }
    faultTaken_ = true;
    return dictionary::TResolverFault{
        problem->File, problem->Kind == TLoadProblem::TKind::Damaged ? 0 : problem->Errno,
        problem->Detail};
}

} // namespace wordforms
