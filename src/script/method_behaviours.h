// The behaviour of each method number. The dispatcher writes the "Call"
// lines and each method's own Enter and Exit lines around these, and calls
// those that use the audio device only when the instance has one.
#pragma once

#include "script/method_call.h"

namespace script {

// Instance lifecycle.
void NewMethod(const MethodCall& method);
void ForgetMethod(const MethodCall& method);

// Opening, recording, playing.
void OpenAudioMethod(const MethodCall& method);
void IsAudioOpenMethod(const MethodCall& method);
void CloseAudioMethod(const MethodCall& method);
void StartRecordingMethod(const MethodCall& method);
void RecordingNowMethod(const MethodCall& method);
void StopRecordingMethod(const MethodCall& method);
void PlaySoundMethod(const MethodCall& method);
void IsSoundPlayingMethod(const MethodCall& method);
void PlayStopMethod(const MethodCall& method);

// Input level.
void StartGetInputLevelMethod(const MethodCall& method);
void StopGetInputLevelMethod(const MethodCall& method);
void GetInputLevelMethod(const MethodCall& method);
void IsGsilActiveMethod(const MethodCall& method);

// Saving the take.
void SaveAsMemberMethod(const MethodCall& method);
void SaveAsFileMethod(const MethodCall& method);

// Recording format.
void GetFormatMethod(const MethodCall& method);
void SetFormatMethod(const MethodCall& method);
void SetSampleRateMethod(const MethodCall& method);
void SetBitsPerSampleMethod(const MethodCall& method);
void SetChannelsMethod(const MethodCall& method);

// Devices, version, switches.
void FindAudioCaptureDevicesMethod(const MethodCall& method);
void GetVersionStringMethod(const MethodCall& method);
void FindAllAudioCompressorsMethod(const MethodCall& method);
void ShowErrorsAsDialogsMethod(const MethodCall& method);
void PrivateInstanceMethod(const MethodCall& method);

}  // namespace script
