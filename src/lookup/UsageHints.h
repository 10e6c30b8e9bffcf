#pragma once

#include <QStringList>

namespace lookup {

// The eight lines shown in the article pane at the end of start-up.
QStringList UsageHintLines(bool english);

} // namespace lookup
