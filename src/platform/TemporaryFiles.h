#pragma once

#include <cstdint>
#include <filesystem>
#include <sys/types.h>
#include <vector>

namespace platform {

// A save writes its bytes into a hidden file beside the target and renames it
// over the target; a save that is killed leaves that file behind. Its name
// says whose it is: ".NAME.PID-START-BOOT.SERIAL.tmp", the target's name, the
// writer's process id, the moment that process started (in clock ticks since
// the boot) and the boot, so that a leftover of a dead writer can be told
// from the file of a save still running, even after the process id was given
// to another process.

// Creates a fresh temporary file beside target, named as above, with the
// permission bits mode; its descriptor, or -1 with errno set.
int CreateTemporaryFile(const std::filesystem::path& target, mode_t mode,
                        std::filesystem::path& temporary);

struct TTemporaryFile {
    std::filesystem::path Path;
    std::filesystem::path Target; // the file the save was to replace
    std::uintmax_t Bytes = 0;
    bool Stale = false; // its writer has ended: nothing will rename it
};

// The temporary files of saves in folder, stale or not. Names of the form
// saves used before (".NAME.PID.SERIAL.TICK.tmp") are found too; they tell
// only the process id, so one is stale only while no process has that id.
std::vector<TTemporaryFile> FindTemporaryFiles(const std::filesystem::path& folder);

// Removes the stale temporary files of folder; the ones removed.
std::vector<TTemporaryFile> RemoveStaleTemporaryFiles(const std::filesystem::path& folder);

} // namespace platform
