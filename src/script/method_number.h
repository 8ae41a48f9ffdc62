// The method numbers the host derives from the registered method table:
// each method line's position, counted from 0.
#pragma once

#include <cstdint>

enum MethodNumber : int32_t {
    kMethodNew = 0,
    kMethodForget = 1,
    kMethodGetVersionString = 2,
    kMethodOpenAudio = 3,
    kMethodIsAudioOpen = 4,
    kMethodCloseAudio = 5,
    kMethodStartRecording = 6,
    kMethodRecordingNow = 7,
    kMethodStopRecording = 8,
    kMethodStartGetInputLevel = 9,
    kMethodStopGetInputLevel = 10,
    kMethodGetInputLevel = 11,
    kMethodIsGsilActive = 12,
    kMethodPlaySound = 13,
    kMethodIsSoundPlaying = 14,
    kMethodPlayStop = 15,
    kMethodSaveAsMember = 16,
    kMethodSaveAsFile = 17,
    kMethodGetFormat = 18,
    kMethodSetFormat = 19,
    kMethodSetSampleRate = 20,
    kMethodSetBitsPerSample = 21,
    kMethodSetChannels = 22,
    kMethodFindAudioCaptureDevices = 23,
    kMethodFindAllAudioCompressors = 24,
    kMethodShowErrorsAsDialogs = 25,
    kMethodPrivateGlobal = 26,
    kMethodPrivateInstance = 27,
    kMethodCount = 28,
};
