// The settings file on any bytes: whatever a user or another program left in
// it, the program starts with four valid positions and saves them back.
#include "tests/fuzz/FuzzSupport.h"

#include "app/Settings.h"

#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    const std::filesystem::path dir = fuzz::ScratchDir();
    fuzz::WriteFile(dir / app::TSettings::kFileName, bytes);

    app::TSettings settings;
    fuzz::Check(settings.Load(dir).Ok() && settings.Stored(),
                "an existing settings file counted as missing");
    fuzz::Check(settings.Value().size() == 4, "the settings are not four characters");

    // The first line's own first four characters count (its line end is no
    // setting); a short line leaves the second choice.
    const std::string_view line = bytes.substr(0, bytes.find_first_of("\r\n"));
    using Position = app::TSettings::Position;
    for (const Position position :
         {Position::ControlC, Position::PopUp, Position::View, Position::Language}) {
        const std::size_t index = static_cast<std::size_t>(position) - 1;
        const bool first = index < line.size() && line[index] == '1';
        fuzz::Check(settings.IsFirst(position) == first, "a position reads wrongly");
        settings.Set(position, !first);
        fuzz::Check(settings.IsFirst(position) == !first, "a position does not keep its value");
    }
    fuzz::Check(settings.Save().Ok(), "the settings could not be saved");

    std::ifstream in(dir / app::TSettings::kFileName, std::ios::binary);
    const std::string saved{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    fuzz::Check(saved == settings.Value() + "\r\n", "the saved file differs from the settings");
    app::TSettings again;
    fuzz::Check(again.Load(dir).Ok(), "saved settings could not be read back");
    fuzz::Check(again.Value() == settings.Value(), "saved settings read back differently");
    return 0;
}
