#include "wordforms/Homographs.h"

#include <algorithm>
#include <array>

namespace wordforms {

namespace {

// Code page 1251, as every text of the program.
constexpr std::array<THomograph, 8> kHomographs{{
    {"\xEC\xE8", "\xEC\xE8\xFF"},                     // ми: мия
    {"\xE1\xE8", "\xE1\xE8\xFF"},                     // би: бия
    {"\xE1\xE8\xF5", "\xE1\xE8\xFF"},                 // бих: бия
    {"\xE1\xE8\xEB", "\xE1\xE8\xFF"},                 // бил: бия
    {"\xE1\xE8\xEB\xE0", "\xE1\xE8\xEB\xEE"},         // била: било
    {"\xED\xFF\xEC\xE0", "\xED\xFF\xEC"},             // няма: ням
    {"\xF5\xEE\xF0\xE0\xF2\xE0", "\xF5\xEE\xF0\xEE"}, // хората: хоро
    {"\xEF\xE0\xF0\xE8\xF2\xE5", "\xEF\xE0\xF0\xFF"}, // парите: паря
}};

} // namespace

std::span<const THomograph> Homographs() {
    return kHomographs;
}

bool TakesNoStemReading(std::string_view foldedForm) {
    return std::any_of(kHomographs.begin(), kHomographs.end(),
                       [&](const THomograph& h) { return h.Form == foldedForm; });
}

} // namespace wordforms
