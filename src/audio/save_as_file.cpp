#include "audio/direct_sound_audio_device.h"
#include "audio/wav_file_writer.h"

StatusRecord DirectSoundAudioDevice::SaveAsFile(const char* path) {
    status.Reset();
    if (capturing) {
        status.SetFailure("Cannot save a sound while still capturing", -1);
        return status;
    }
    if (!HasTake()) {
        status.SetFailure("No sound to save", -1);
        return status;
    }
    WideText widePath;
    if (!hostText.PathToWide(path, &widePath)) {
        status.SetFailure("Could not create sound file: the name has a character Windows cannot take", -1);
        return status;
    }
    WavFileWriter writer;
    int32_t written = writer.BeginFile(widePath.c_str(), format);
    if (!writer.IsOpen()) {
        status.SetFailure("Could not create sound file", written);
        return status;
    }
    if (written == 0) {
        written = writer.BeginDataChunk();
    }
    if (written == 0) {
        void* take = nullptr;
        DWORD takeLocked = 0;
        void* takeWrapped = nullptr;
        DWORD takeWrappedBytes = 0;
        const HRESULT locked =
            captureBuffer->Lock(0, takeBytes, &take, &takeLocked, &takeWrapped, &takeWrappedBytes, 0);
        if (SUCCEEDED(locked)) {
            written = take != nullptr && takeLocked >= takeBytes
                          ? writer.Write(static_cast<const uint8_t*>(take), takeBytes)
                          : WavFileWriter::kWriteFailed;
            captureBuffer->Unlock(take, takeLocked, takeWrapped, takeWrappedBytes);
        } else {
            written = static_cast<int32_t>(locked);
        }
    }
    if (written == 0) {
        written = writer.EndFile(0);
    } else {
        writer.Abandon();
    }
    // The file exists but does not hold the take: the caller must know.
    if (written != 0) {
        status.SetFailure("Could not write sound file", written);
    }
    return status;
}
