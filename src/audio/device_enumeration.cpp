#include <cstring>

#include "audio/direct_sound_audio_device.h"

namespace {

struct Enumeration {
    CaptureDeviceList* list;
    const HostText* text;
};

// Called by DirectSound once per capture device, within the enumeration.
BOOL CALLBACK AddCaptureDevice(LPGUID guid, LPCWSTR description, LPCWSTR module, LPVOID context) {
    const Enumeration* enumeration = static_cast<const Enumeration*>(context);
    CaptureDeviceList* list = enumeration->list;
    if (list->count >= CaptureDeviceList::kCapacity) {
        return FALSE;
    }
    CaptureDeviceEntry& entry = list->entries[list->count];
    std::memset(entry.guid, 0, sizeof entry.guid);
    if (guid != nullptr) {
        std::memcpy(entry.guid, guid, sizeof entry.guid);
    }
    enumeration->text->FromWide(description, entry.description, sizeof entry.description);
    enumeration->text->FromWide(module, entry.module, sizeof entry.module);
    ++list->count;
    return list->count < CaptureDeviceList::kMostListed ? TRUE : FALSE;
}

}  // namespace

StatusRecord DirectSoundAudioDevice::EnumerateDevices(CaptureDeviceList* list) {
    list->count = 0;
    Enumeration enumeration{list, &hostText};
    DirectSoundCaptureEnumerateW(AddCaptureDevice, &enumeration);
    StatusRecord answer;
    answer.Reset();
    return answer;
}
