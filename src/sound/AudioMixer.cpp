#include "sound/Audio.h"

#include "sound/MessageWindow.h"

namespace sound {

TMixerSettings::TMixerSettings(TAudio& owner)
    : Owner(owner), Window(std::make_unique<TMessageWindow>(
                        [this](std::uintptr_t p1, std::uintptr_t p2) { ControlChanged(p1, p2); })) {
}

TMixerSettings::~TMixerSettings() {
    Close();
}

bool TMixerSettings::Opened() {
    OpenOnFirstUse();
    return Handle != nullptr;
}

const std::vector<TMixDetails>& TMixerSettings::Details() {
    OpenOnFirstUse();
    return Records;
}

void TMixerSettings::OpenOnFirstUse() {
    if (!Used) {
        Open(Owner.MixerDeviceID());
    }
}

bool TMixerSettings::Open(std::int32_t deviceId) {
    Close();
    Used = true;
    if (deviceId < 0 || platform::mixerGetNumDevs() == 0)
        return false;
    const auto id = static_cast<std::uint32_t>(deviceId);
    platform::MIXERCAPS caps;
    if (platform::mixerGetDevCaps(id, &caps) != platform::MMSYSERR_NOERROR)
        return false;
    if (platform::mixerOpen(&Handle, id, MixerProc, reinterpret_cast<std::uintptr_t>(this),
                            platform::CALLBACK_FUNCTION) != platform::MMSYSERR_NOERROR) {
        Handle = nullptr;
        return false;
    }
    TMixDetails device;
    device.Name = caps.szPname;
    Records.push_back(device);
    for (std::uint32_t d = 0; d < caps.cDestinations; ++d) {
        platform::MIXERLINE line;
        line.dwDestination = d;
        if (platform::mixerGetLineInfo(Handle, &line, platform::MIXER_GETLINEINFOF_DESTINATION) !=
            platform::MMSYSERR_NOERROR)
            continue;
        const std::uint32_t connections = line.cConnections;
        ReadLine(line, static_cast<std::uint16_t>(d), 0);
        for (std::uint32_t s = 0; s < connections; ++s) {
            platform::MIXERLINE source;
            source.dwDestination = d;
            source.dwSource = s;
            if (platform::mixerGetLineInfo(Handle, &source, platform::MIXER_GETLINEINFOF_SOURCE) ==
                platform::MMSYSERR_NOERROR)
                ReadLine(source, static_cast<std::uint16_t>(d), static_cast<std::uint16_t>(s + 1));
        }
    }
    return true;
}

void TMixerSettings::ReadLine(const platform::MIXERLINE& line, std::uint16_t destination,
                              std::uint16_t source) {
    TMixDetails record;
    record.Destination = destination;
    record.Source = source;
    record.Name = line.szName;
    record.Flags = 128;
    record.LineKind = static_cast<std::uint8_t>(line.dwComponentType & 0xFF);
    record.HasControls = line.cControls > 0;

    auto find = [&](std::uint32_t type, platform::MIXERCONTROL& control) {
        platform::MIXERLINECONTROLS controls;
        controls.dwLineID = line.dwLineID;
        controls.dwControlType = type;
        controls.cControls = 1;
        controls.pamxctrl = &control;
        return platform::mixerGetLineControls(Handle, &controls,
                                              platform::MIXER_GETLINECONTROLSF_ONEBYTYPE) ==
               platform::MMSYSERR_NOERROR;
    };

    platform::MIXERCONTROL control;
    if (find(platform::MIXERCONTROL_CONTROLTYPE_VOLUME, control)) {
        record.VolumeID = static_cast<std::uint16_t>(control.dwControlID);
        record.Uniform = (control.fdwControl & platform::MIXERCONTROL_CONTROLF_UNIFORM) != 0 ||
                         line.cChannels <= 1;
        platform::MIXERCONTROLDETAILS_UNSIGNED values[2];
        platform::MIXERCONTROLDETAILS details;
        details.dwControlID = control.dwControlID;
        details.cChannels = record.Uniform ? 1 : 2;
        details.paDetails = values;
        if (platform::mixerGetControlDetails(Handle, &details,
                                             platform::MIXER_GETCONTROLDETAILSF_VALUE) ==
            platform::MMSYSERR_NOERROR) {
            record.LeftVolume = static_cast<std::uint16_t>(values[0].dwValue);
            record.RightVolume =
                static_cast<std::uint16_t>(record.Uniform ? values[0].dwValue : values[1].dwValue);
        }
        if (record.Uniform)
            record.Flags += 64;
    }
    if (find(platform::MIXERCONTROL_CONTROLTYPE_MUTE, control)) {
        record.MuteID = static_cast<std::uint16_t>(control.dwControlID);
        record.Flags -= 128;
        platform::MIXERCONTROLDETAILS_BOOLEAN value;
        platform::MIXERCONTROLDETAILS details;
        details.dwControlID = control.dwControlID;
        details.cChannels = 1;
        details.paDetails = &value;
        if (platform::mixerGetControlDetails(Handle, &details,
                                             platform::MIXER_GETCONTROLDETAILSF_VALUE) ==
            platform::MMSYSERR_NOERROR)
            record.Mute = value.fValue != 0;
    }
    if (find(platform::MIXERCONTROL_CONTROLTYPE_PEAKMETER, control)) {
        record.PeakID = static_cast<std::uint16_t>(control.dwControlID);
        record.PeakKind =
            (control.fdwControl & platform::MIXERCONTROL_CONTROLF_UNIFORM) != 0 ? 1 : 2;
    }
    Records.push_back(record);
}

void TMixerSettings::Close() {
    if (Handle != nullptr)
        platform::mixerClose(Handle);
    Handle = nullptr;
    Records.clear();
}

void TMixerSettings::MixerProc(platform::HMIXER, std::uint32_t msg, std::uintptr_t instance,
                               std::uintptr_t param1, std::uintptr_t param2) {
    if (msg == platform::MM_MIXM_CONTROL_CHANGE)
        reinterpret_cast<TMixerSettings*>(instance)->Window->Post(param1, param2);
}

void TMixerSettings::ControlChanged(std::uintptr_t param1, std::uintptr_t param2) {
    if (Handle == nullptr || !Owner.OnMixerChange)
        return;
    Owner.OnMixerChange(&Owner, static_cast<std::uint16_t>(param1),
                        static_cast<std::uint16_t>(param2));
    for (const TMixDetails& record : Records) {
        if (record.VolumeID == param2 || record.MuteID == param2) {
            Owner.OnMixerChange(&Owner, record.Destination, record.Source);
            return;
        }
    }
}

} // namespace sound
