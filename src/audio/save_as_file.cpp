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
    const PathConversion conversion = hostText.PathToWide(path, &widePath);
    if (conversion == PathConversion::kTooLong) {
        status.SetFailure("Could not create sound file: the name is too long", -1);
        return status;
    }
    if (conversion == PathConversion::kBadCharacter) {
        status.SetFailure("Could not create sound file: the name has a character Windows cannot take", -1);
        return status;
    }
    WavFileWriter writer;
    int32_t written = writer.BeginFile(widePath.c_str(), takeFormat);
    if (!writer.IsOpen()) {
        status.SetFailure("Could not create sound file", written);
        return status;
    }
    if (written == 0) {
        written = writer.BeginDataChunk();
    }
    if (written == 0) {
        const HRESULT read = ReadTake([&](const uint8_t* take) { written = writer.Write(take, takeBytes); });
        if (read == S_FALSE) {
            written = WavFileWriter::kWriteFailed;
        } else if (FAILED(read)) {
            written = static_cast<int32_t>(read);
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
