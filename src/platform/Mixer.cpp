#include "platform/Mixer.h"

#include <alsa/asoundlib.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace platform {

namespace {

constexpr std::uint32_t kDestinations = 2;

struct MixerLineEntry {
    std::uint32_t Destination = 0;
    // 0 is the destination line itself, 1.. its sources.
    std::uint32_t Source = 0;
    std::string Name;
    snd_mixer_elem_t* Element = nullptr;
    std::uint32_t Channels = 1;
};

struct MixerControlEntry {
    std::uint32_t Id = 0;
    std::uint32_t Type = 0;
    std::uint32_t LineId = 0;
    snd_mixer_elem_t* Element = nullptr;
    bool Capture = false;
};

std::uint32_t LineId(std::uint32_t destination, std::uint32_t source) {
    return (destination << 16) | source;
}

std::vector<int> Cards() {
    SilenceAudioLibraryErrors();
    std::vector<int> cards;
    int card = -1;
    while (snd_card_next(&card) == 0 && card >= 0)
        cards.push_back(card);
    return cards;
}

void CopyName(char* target, std::size_t size, const std::string& name) {
    std::snprintf(target, size, "%s", name.c_str());
}

} // namespace

struct MixerDevice {
    std::uint32_t DeviceId = 0;
    snd_mixer_t* Mixer = nullptr;
    std::vector<MixerLineEntry> Lines;
    std::vector<MixerControlEntry> Controls;
    MIXERCALLBACK Callback = nullptr;
    std::uintptr_t Instance = 0;
    // ALSA's mixer is not thread-safe: the watcher and the callers share it.
    std::recursive_mutex Mutex;
    std::atomic<bool> Stopping{false};
    // Written to on close: the watcher sleeps until the mixer or this speaks.
    int StopPipe[2] = {-1, -1};
    std::thread Watcher;
};

namespace {

std::mutex registryMutex;
std::set<MixerDevice*> liveMixers;

bool IsLive(MixerDevice* device) {
    std::lock_guard lock(registryMutex);
    return liveMixers.count(device) != 0;
}

int ElementCallback(snd_mixer_elem_t* element, unsigned int mask) {
    if ((mask & SND_CTL_EVENT_MASK_VALUE) == 0)
        return 0;
    auto* device = static_cast<MixerDevice*>(snd_mixer_elem_get_callback_private(element));
    if (device == nullptr || device->Callback == nullptr)
        return 0;
    for (const MixerControlEntry& control : device->Controls)
        if (control.Element == element)
            device->Callback(device, MM_MIXM_CONTROL_CHANGE, device->Instance, device->DeviceId,
                             control.Id);
    return 0;
}

void Watch(MixerDevice* device) {
    while (!device->Stopping) {
        std::vector<pollfd> fds(1);
        fds[0] = {device->StopPipe[0], POLLIN, 0};
        {
            std::lock_guard lock(device->Mutex);
            const int count = snd_mixer_poll_descriptors_count(device->Mixer);
            if (count > 0) {
                fds.resize(static_cast<std::size_t>(count) + 1);
                snd_mixer_poll_descriptors(device->Mixer, fds.data() + 1,
                                           static_cast<unsigned>(count));
            }
        }
        // No timeout: an idle program must not be woken for nothing.
        if (poll(fds.data(), fds.size(), -1) > 0 && fds[0].revents == 0) {
            std::lock_guard lock(device->Mutex);
            snd_mixer_handle_events(device->Mixer);
        }
    }
}

void AddControls(MixerDevice* device, const MixerLineEntry& line, bool capture) {
    auto add = [&](std::uint32_t type) {
        MixerControlEntry control;
        control.Id = static_cast<std::uint32_t>(device->Controls.size());
        control.Type = type;
        control.LineId = LineId(line.Destination, line.Source);
        control.Element = line.Element;
        control.Capture = capture;
        device->Controls.push_back(control);
    };
    if (capture ? snd_mixer_selem_has_capture_volume(line.Element)
                : snd_mixer_selem_has_playback_volume(line.Element))
        add(MIXERCONTROL_CONTROLTYPE_VOLUME);
    if (capture ? snd_mixer_selem_has_capture_switch(line.Element)
                : snd_mixer_selem_has_playback_switch(line.Element))
        add(MIXERCONTROL_CONTROLTYPE_MUTE);
}

void BuildLines(MixerDevice* device) {
    const char* destinationNames[kDestinations] = {"Playback", "Capture"};
    for (std::uint32_t destination = 0; destination < kDestinations; ++destination) {
        const bool capture = destination == 1;
        device->Lines.push_back({destination, 0, destinationNames[destination], nullptr, 2});
        std::uint32_t source = 0;
        for (snd_mixer_elem_t* element = snd_mixer_first_elem(device->Mixer); element != nullptr;
             element = snd_mixer_elem_next(element)) {
            if (!snd_mixer_selem_is_active(element))
                continue;
            const bool fits = capture ? snd_mixer_selem_has_capture_volume(element) ||
                                            snd_mixer_selem_has_capture_switch(element)
                                      : snd_mixer_selem_has_playback_volume(element) ||
                                            snd_mixer_selem_has_playback_switch(element);
            if (!fits)
                continue;
            MixerLineEntry line;
            line.Destination = destination;
            line.Source = ++source;
            line.Name = snd_mixer_selem_get_name(element);
            line.Element = element;
            line.Channels = (capture ? snd_mixer_selem_is_capture_mono(element)
                                     : snd_mixer_selem_is_playback_mono(element))
                                ? 1
                                : 2;
            device->Lines.push_back(line);
            AddControls(device, line, capture);
            snd_mixer_elem_set_callback(element, ElementCallback);
            snd_mixer_elem_set_callback_private(element, device);
        }
    }
}

const MixerLineEntry* FindLine(const MixerDevice* device, std::uint32_t destination,
                               std::uint32_t source) {
    for (const MixerLineEntry& line : device->Lines)
        if (line.Destination == destination && line.Source == source)
            return &line;
    return nullptr;
}

void FillControl(const MixerControlEntry& entry, MIXERCONTROL* control) {
    *control = MIXERCONTROL{};
    control->dwControlID = entry.Id;
    control->dwControlType = entry.Type;
    const bool volume = entry.Type == MIXERCONTROL_CONTROLTYPE_VOLUME;
    CopyName(control->szShortName, sizeof control->szShortName, volume ? "Volume" : "Mute");
    CopyName(control->szName, sizeof control->szName, volume ? "Volume" : "Mute");
    control->lMaximum = volume ? 65535 : 1;
}

const snd_mixer_selem_channel_id_t kChannelIds[2] = {SND_MIXER_SCHN_FRONT_LEFT,
                                                     SND_MIXER_SCHN_FRONT_RIGHT};

} // namespace

std::uint32_t mixerGetNumDevs() {
    return static_cast<std::uint32_t>(Cards().size());
}

MMRESULT mixerGetDevCaps(std::uint32_t deviceId, MIXERCAPS* caps) {
    if (caps == nullptr)
        return MMSYSERR_INVALPARAM;
    const std::vector<int> cards = Cards();
    if (deviceId >= cards.size())
        return MMSYSERR_BADDEVICEID;
    *caps = MIXERCAPS{};
    char* name = nullptr;
    if (snd_card_get_name(cards[deviceId], &name) == 0 && name != nullptr) {
        CopyName(caps->szPname, sizeof caps->szPname, name);
        std::free(name);
    }
    caps->cDestinations = kDestinations;
    return MMSYSERR_NOERROR;
}

MMRESULT mixerOpen(HMIXER* handle, std::uint32_t deviceId, MIXERCALLBACK callback,
                   std::uintptr_t instance, std::uint32_t flags) {
    if (handle == nullptr)
        return MMSYSERR_INVALPARAM;
    const std::uint32_t callbackKind = flags & 0x00070000;
    if (callbackKind != CALLBACK_NULL && callbackKind != CALLBACK_FUNCTION)
        return MMSYSERR_INVALFLAG;
    const std::vector<int> cards = Cards();
    if (deviceId >= cards.size())
        return MMSYSERR_BADDEVICEID;
    snd_mixer_t* mixer = nullptr;
    if (snd_mixer_open(&mixer, 0) < 0)
        return MMSYSERR_NOMEM;
    const std::string cardName = "hw:" + std::to_string(cards[deviceId]);
    if (snd_mixer_attach(mixer, cardName.c_str()) < 0 ||
        snd_mixer_selem_register(mixer, nullptr, nullptr) < 0 || snd_mixer_load(mixer) < 0) {
        snd_mixer_close(mixer);
        return MMSYSERR_ALLOCATED;
    }
    auto* device = new MixerDevice;
    if (pipe2(device->StopPipe, O_CLOEXEC) != 0) {
        delete device;
        snd_mixer_close(mixer);
        return MMSYSERR_NOMEM;
    }
    device->DeviceId = deviceId;
    device->Mixer = mixer;
    device->Callback = callbackKind == CALLBACK_FUNCTION ? callback : nullptr;
    device->Instance = instance;
    BuildLines(device);
    {
        std::lock_guard lock(registryMutex);
        liveMixers.insert(device);
    }
    device->Watcher = std::thread(Watch, device);
    *handle = device;
    return MMSYSERR_NOERROR;
}

MMRESULT mixerGetLineInfo(HMIXER handle, MIXERLINE* line, std::uint32_t flags) {
    if (!IsLive(handle))
        return MMSYSERR_INVALHANDLE;
    if (line == nullptr)
        return MMSYSERR_INVALPARAM;
    std::lock_guard lock(handle->Mutex);
    const std::uint32_t source = (flags & MIXER_GETLINEINFOF_SOURCE) != 0 ? line->dwSource + 1 : 0;
    const MixerLineEntry* entry = FindLine(handle, line->dwDestination, source);
    if (entry == nullptr)
        return MIXERR_INVALLINE;
    const std::uint32_t destination = line->dwDestination;
    *line = MIXERLINE{};
    line->dwDestination = destination;
    line->dwSource = source == 0 ? 0 : source - 1;
    line->dwLineID = LineId(destination, source);
    line->cChannels = entry->Channels;
    if (source == 0) {
        line->dwComponentType = destination == 0 ? MIXERLINE_COMPONENTTYPE_DST_SPEAKERS
                                                 : MIXERLINE_COMPONENTTYPE_DST_WAVEIN;
        for (const MixerLineEntry& other : handle->Lines)
            if (other.Destination == destination && other.Source != 0)
                ++line->cConnections;
    } else {
        line->dwComponentType = MIXERLINE_COMPONENTTYPE_SRC_ANALOG;
    }
    for (const MixerControlEntry& control : handle->Controls)
        if (control.LineId == line->dwLineID)
            ++line->cControls;
    CopyName(line->szShortName, sizeof line->szShortName, entry->Name);
    CopyName(line->szName, sizeof line->szName, entry->Name);
    return MMSYSERR_NOERROR;
}

MMRESULT mixerGetLineControls(HMIXER handle, MIXERLINECONTROLS* controls, std::uint32_t flags) {
    if (!IsLive(handle))
        return MMSYSERR_INVALHANDLE;
    if (controls == nullptr || controls->pamxctrl == nullptr)
        return MMSYSERR_INVALPARAM;
    std::lock_guard lock(handle->Mutex);
    if (FindLine(handle, controls->dwLineID >> 16, controls->dwLineID & 0xFFFF) == nullptr)
        return MIXERR_INVALLINE;
    std::uint32_t found = 0;
    for (const MixerControlEntry& control : handle->Controls) {
        if (control.LineId != controls->dwLineID)
            continue;
        if ((flags & MIXER_GETLINECONTROLSF_ONEBYTYPE) != 0) {
            if (control.Type == controls->dwControlType) {
                FillControl(control, controls->pamxctrl);
                return MMSYSERR_NOERROR;
            }
        } else if (found < controls->cControls) {
            FillControl(control, &controls->pamxctrl[found++]);
        }
    }
    if ((flags & MIXER_GETLINECONTROLSF_ONEBYTYPE) != 0)
        return MIXERR_INVALCONTROL;
    controls->cControls = found;
    return MMSYSERR_NOERROR;
}

MMRESULT mixerGetControlDetails(HMIXER handle, MIXERCONTROLDETAILS* details, std::uint32_t) {
    if (!IsLive(handle))
        return MMSYSERR_INVALHANDLE;
    if (details == nullptr || details->paDetails == nullptr || details->cChannels == 0)
        return MMSYSERR_INVALPARAM;
    std::lock_guard lock(handle->Mutex);
    if (details->dwControlID >= handle->Controls.size())
        return MIXERR_INVALCONTROL;
    const MixerControlEntry& control = handle->Controls[details->dwControlID];
    const std::uint32_t channels = details->cChannels > 2 ? 2 : details->cChannels;
    for (std::uint32_t channel = 0; channel < channels; ++channel) {
        const snd_mixer_selem_channel_id_t id = kChannelIds[channel];
        if (control.Type == MIXERCONTROL_CONTROLTYPE_VOLUME) {
            long minimum = 0;
            long maximum = 0;
            long value = 0;
            if (control.Capture) {
                snd_mixer_selem_get_capture_volume_range(control.Element, &minimum, &maximum);
                snd_mixer_selem_get_capture_volume(control.Element, id, &value);
            } else {
                snd_mixer_selem_get_playback_volume_range(control.Element, &minimum, &maximum);
                snd_mixer_selem_get_playback_volume(control.Element, id, &value);
            }
            const long span = maximum > minimum ? maximum - minimum : 1;
            static_cast<MIXERCONTROLDETAILS_UNSIGNED*>(details->paDetails)[channel].dwValue =
                static_cast<std::uint32_t>((value - minimum) * 65535 / span);
        } else {
            int on = 1;
            if (control.Capture)
                snd_mixer_selem_get_capture_switch(control.Element, id, &on);
            else
                snd_mixer_selem_get_playback_switch(control.Element, id, &on);
            static_cast<MIXERCONTROLDETAILS_BOOLEAN*>(details->paDetails)[channel].fValue =
                on == 0 ? 1 : 0;
        }
    }
    return MMSYSERR_NOERROR;
}

MMRESULT mixerClose(HMIXER handle) {
    if (!IsLive(handle))
        return MMSYSERR_INVALHANDLE;
    {
        std::lock_guard lock(registryMutex);
        liveMixers.erase(handle);
    }
    handle->Stopping = true;
    const char stop = 1;
    [[maybe_unused]] const ssize_t written = write(handle->StopPipe[1], &stop, 1);
    handle->Watcher.join();
    close(handle->StopPipe[0]);
    close(handle->StopPipe[1]);
    snd_mixer_close(handle->Mixer);
    delete handle;
    return MMSYSERR_NOERROR;
}

} // namespace platform
