#include <cstring>

#include "audio/direct_sound_audio_device.h"

namespace {

#if defined(_WIN32)
static_assert(sizeof(DSBUFFERDESC) == 36, "DirectSound's secondary buffer description");
#endif

bool IsStartRefusal(HRESULT result) {
    return result == DSERR_BUFFERLOST || result == DSERR_INVALIDCALL || result == DSERR_INVALIDPARAM ||
           result == DSERR_PRIOLEVELNEEDED;
}

}  // namespace

StatusRecord DirectSoundAudioDevice::PlayStart() {
    status.Reset();
    if (!Opened()) {
        status.SetFailure("Open device before playing", -1);
        return status;
    }
    if (playing) {
        status.SetFailure("Already playing the sound", -1);
        return status;
    }
    if (meteringActive) {
        SetLevelMeteringDuration(0);
    }
    // A take whose buffer was released (Close, a failed new capture) is gone
    // even though its length is still known.
    if (takeBytes == 0 || (playBuffer == nullptr && !HasTake())) {
        status.SetFailure("No sound to play", -1);
        return status;
    }
    if (playbackObject == nullptr && MakePlaybackObject().failed) {
        return status;
    }
    if (playBuffer == nullptr && CopyTakeToPlayBuffer().failed) {
        status.SetFailure("Problem during copying from record to play", -1);
        return status;
    }
    playBuffer->SetCurrentPosition(0);
    const HRESULT result = playBuffer->Play(0, 0, 0);
    if (IsStartRefusal(result)) {
        status.SetFailure("Problem while trying to start play", static_cast<int32_t>(result));
        return status;
    }
    playing = true;
    playWatch.Begin(GetTickCount());
    return status;
}

StatusRecord DirectSoundAudioDevice::CopyTakeToPlayBuffer() {
    if (!HasTake()) {
        status.SetFailure("No sound to play", -1);
        return status;
    }
    if (capturing) {
        status.SetFailure("Cannot play a sound while still capturing", -1);
        return status;
    }
    DSBUFFERDESC description{};
    description.dwSize = sizeof(DSBUFFERDESC);
    description.dwFlags = DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_CTRLPOSITIONNOTIFY | DSBCAPS_CTRLVOLUME;
    description.dwBufferBytes = takeBytes;
    description.dwReserved = 0;
    description.lpwfxFormat = &takeFormat;
    std::memset(&description.guid3DAlgorithm, 0, sizeof description.guid3DAlgorithm);
    const HRESULT created = playbackObject->CreateSoundBuffer(&description, &playBuffer, nullptr);
    if (FAILED(created)) {
        playBuffer = nullptr;
        status.SetFailure("Problem during create sound buffer", static_cast<int32_t>(created));
        return status;
    }

    void* play = nullptr;
    DWORD playLocked = 0;
    void* playWrapped = nullptr;
    DWORD playWrappedBytes = 0;
    const HRESULT playLock = playBuffer->Lock(0, takeBytes, &play, &playLocked, &playWrapped, &playWrappedBytes, 0);
    if (FAILED(playLock) || play == nullptr || playLocked < takeBytes) {
        // Without its samples the new buffer is no copy of the take: drop it
        // so that the next PlayStart copies again.
        if (SUCCEEDED(playLock)) {
            playBuffer->Unlock(play, playLocked, playWrapped, playWrappedBytes);
        }
        ReleasePlayBuffer();
        status.SetFailure("Problem during play buffer lock", SUCCEEDED(playLock) ? -1 : static_cast<int32_t>(playLock));
        return status;
    }
    const HRESULT read = ReadTake([&](const uint8_t* take) { std::memcpy(play, take, takeBytes); });
    playBuffer->Unlock(play, playLocked, playWrapped, playWrappedBytes);
    if (read != S_OK) {
        ReleasePlayBuffer();
        status.SetFailure("Problem during capture buffer lock", -1);
    }
    return status;
}

StatusRecord DirectSoundAudioDevice::PlayStop() {
    status.Reset();
    // A buffer that would not stop still plays, and stays until it ends.
    const bool stopped = !IsPlaying() || SUCCEEDED(playBuffer->Stop());
    playing = false;
    if (stopped) {
        ReleasePlayBuffer();
    }
    return status;
}

bool DirectSoundAudioDevice::IsPlaying() {
    if (playBuffer == nullptr) {
        playing = false;
        return playing;
    }
    DWORD bits = 0;
    HRESULT looked = playBuffer->GetStatus(&bits);
    const bool wasPlaying = playing;
    if (SUCCEEDED(looked)) {
        playing = (bits & (DSBSTATUS_PLAYING | DSBSTATUS_LOOPING)) != 0;
    }
    if (SUCCEEDED(looked) && playing) {
        looked = WatchPlayback();
    }
    // A playback that had ended has nothing left to lose.
    if (FAILED(looked) && wasPlaying) {
        EndPlaybackAfterLoss(looked);
    }
    // The take's copy in the sound buffer goes once it has played: the take
    // is then held once again, and the next PlaySound copies it afresh.
    if (!playing) {
        ReleasePlayBuffer();
    }
    return playing;
}
