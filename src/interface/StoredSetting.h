#pragma once

namespace interface {

// The positions of the four-character settings string mirrored in
// Dictionary.cfg, numbered from 1 as the file holds them: translation of
// copied text, the pop-up, the view and the interface language.
enum class TStoredSetting { ControlC = 1, PopUp = 2, View = 3, Language = 4 };

} // namespace interface
