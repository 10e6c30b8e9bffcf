#pragma once

#include <string>
#include <vector>

namespace dictool {

// dictool learning --dir STATE [--list LIST]: every word of STATE's learning
// record, then the words due now (and new words of LIST).
int LearningCommand(const std::vector<std::string>& args);

} // namespace dictool
