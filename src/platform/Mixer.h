#pragma once

#include "platform/Wave.h"

#include <cstdint>

// Mixer devices (one per sound card) seen as destination lines, each with
// source lines that carry volume and mute controls. Destination 0 gathers
// the playback elements, destination 1 the capture elements. Control-change
// notifications arrive on a watcher thread of the open mixer.
namespace platform {

constexpr std::uint32_t MM_MIXM_CONTROL_CHANGE = 0x3D1;

constexpr std::uint32_t MIXER_GETLINEINFOF_DESTINATION = 0x00000000;
constexpr std::uint32_t MIXER_GETLINEINFOF_SOURCE = 0x00000001;
constexpr std::uint32_t MIXER_GETLINECONTROLSF_ALL = 0x00000000;
constexpr std::uint32_t MIXER_GETLINECONTROLSF_ONEBYTYPE = 0x00000002;
constexpr std::uint32_t MIXER_GETCONTROLDETAILSF_VALUE = 0x00000000;

constexpr std::uint32_t MIXERCONTROL_CONTROLTYPE_PEAKMETER = 0x10020001;
constexpr std::uint32_t MIXERCONTROL_CONTROLTYPE_MUTE = 0x20010002;
constexpr std::uint32_t MIXERCONTROL_CONTROLTYPE_VOLUME = 0x50030001;
constexpr std::uint32_t MIXERCONTROL_CONTROLF_UNIFORM = 0x00000001;

constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_DST_SPEAKERS = 4;
constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_DST_WAVEIN = 7;
constexpr std::uint32_t MIXERLINE_COMPONENTTYPE_SRC_ANALOG = 0x1000 + 10;

struct MIXERCAPS {
    std::uint16_t wMid = 0;
    std::uint16_t wPid = 0;
    std::uint32_t vDriverVersion = 0;
    char szPname[32] = {};
    std::uint32_t fdwSupport = 0;
    std::uint32_t cDestinations = 0;
};

struct MIXERLINE {
    std::uint32_t dwDestination = 0;
    std::uint32_t dwSource = 0;
    std::uint32_t dwLineID = 0;
    std::uint32_t fdwLine = 0;
    std::uint32_t dwComponentType = 0;
    std::uint32_t cChannels = 0;
    std::uint32_t cConnections = 0;
    std::uint32_t cControls = 0;
    char szShortName[16] = {};
    char szName[64] = {};
};

struct MIXERCONTROL {
    std::uint32_t dwControlID = 0;
    std::uint32_t dwControlType = 0;
    std::uint32_t fdwControl = 0;
    std::uint32_t cMultipleItems = 0;
    char szShortName[16] = {};
    char szName[64] = {};
    std::int32_t lMinimum = 0;
    std::int32_t lMaximum = 0;
};

// For ONEBYTYPE the caller fills dwLineID and dwControlType and passes one
// control; for ALL it passes cControls controls.
struct MIXERLINECONTROLS {
    std::uint32_t dwLineID = 0;
    std::uint32_t dwControlType = 0;
    std::uint32_t cControls = 0;
    MIXERCONTROL* pamxctrl = nullptr;
};

struct MIXERCONTROLDETAILS_UNSIGNED {
    std::uint32_t dwValue = 0;
};

struct MIXERCONTROLDETAILS_BOOLEAN {
    std::int32_t fValue = 0;
};

// paDetails points at cChannels values (UNSIGNED for volume, BOOLEAN for mute).
struct MIXERCONTROLDETAILS {
    std::uint32_t dwControlID = 0;
    std::uint32_t cChannels = 0;
    void* paDetails = nullptr;
};

struct MixerDevice;
using HMIXER = MixerDevice*;

// For MM_MIXM_CONTROL_CHANGE param1 is the device number, param2 the control.
using MIXERCALLBACK = void (*)(HMIXER handle, std::uint32_t msg, std::uintptr_t instance,
                               std::uintptr_t param1, std::uintptr_t param2);

std::uint32_t mixerGetNumDevs();
MMRESULT mixerGetDevCaps(std::uint32_t deviceId, MIXERCAPS* caps);
MMRESULT mixerOpen(HMIXER* handle, std::uint32_t deviceId, MIXERCALLBACK callback,
                   std::uintptr_t instance, std::uint32_t flags);
MMRESULT mixerGetLineInfo(HMIXER handle, MIXERLINE* line, std::uint32_t flags);
MMRESULT mixerGetLineControls(HMIXER handle, MIXERLINECONTROLS* controls, std::uint32_t flags);
MMRESULT mixerGetControlDetails(HMIXER handle, MIXERCONTROLDETAILS* details, std::uint32_t flags);
MMRESULT mixerClose(HMIXER handle);

} // namespace platform
