#include <cstring>

#include "audio/direct_sound_audio_device.h"
#include "diag/bounded_text.h"

namespace {

// Called by DirectSound once per capture device, within the enumeration.
BOOL CALLBACK AddCaptureDevice(LPGUID guid, LPCSTR description, LPCSTR module, LPVOID context) {
    auto* list = static_cast<CaptureDeviceList*>(context);
    if (list->count >= CaptureDeviceList::kCapacity) {
        return FALSE;
    }
    CaptureDeviceEntry& entry = list->entries[list->count];
    std::memset(entry.guid, 0, sizeof entry.guid);
    if (guid != nullptr) {
        std::memcpy(entry.guid, guid, sizeof entry.guid);
    }
    CopyBounded(entry.description, description);
    CopyBounded(entry.module, module);
    ++list->count;
    return list->count < CaptureDeviceList::kMostListed ? TRUE : FALSE;
}

}  // namespace

StatusRecord DirectSoundAudioDevice::EnumerateDevices(CaptureDeviceList* list) {
    list->count = 0;
    DirectSoundCaptureEnumerateA(AddCaptureDevice, list);
    StatusRecord answer;
    answer.Reset();
    return answer;
}
