// The recording format: GetFormat, SetFormat and the three single-value
// setters. The rate travels as a float in kilohertz.
#include <cmath>

#include "diag/bounded_text.h"
#include "script/method_behaviours.h"

namespace script {
namespace {

// The device keeps whole samples per second in 32 unsigned bits.
constexpr float kHighestRateKHz = 4294967.0f;
constexpr std::size_t kCompressionPropertyBytes = 60;
constexpr std::size_t kCompressionBytes = 5;  // four characters

struct Format {
    int32_t channels = 0;
    float rateKHz = 0.0f;
    int32_t bitsPerSample = 0;
    char compression[kCompressionBytes] = {};
};

StatusRecord ReadFormat(AudioDevice& device, Format* format) {
    return device.GetFormat(&format->channels, &format->rateKHz, &format->bitsPerSample, format->compression);
}

StatusRecord ApplyFormat(AudioDevice& device, const Format& format) {
    return device.SetFormat(format.channels, format.rateKHz, format.bitsPerSample, format.compression);
}

// A rate from the movie may be anything a float holds; the device turns it
// into a whole number of samples, so it is kept within what that can hold.
float UsableRateKHz(float rateKHz) {
    if (std::isnan(rateKHz) || rateKHz < 0.0f) {
        return 0.0f;
    }
    return rateKHz > kHighestRateKHz ? kHighestRateKHz : rateKHz;
}

enum class FormatValue { Rate, BitsPerSample, Channels };

// SetSampleRate, SetBitsPerSample, SetChannels: one value replaced, the
// others as the device has them. An argument that does not read leaves the
// format as it is.
void SetOneFormatValue(const MethodCall& method, FormatValue which) {
    Format format;
    method.instance().status = ReadFormat(method.device(), &format);
    if (!method.instance().status.failed) {
        bool given = false;
        if (which == FormatValue::Rate) {
            float rateKHz = 0.0f;
            given = method.bridge().ReadFloatArgument(method.call, 1, &rateKHz);
            if (given) {
                format.rateKHz = UsableRateKHz(rateKHz);
            }
        } else {
            int32_t value = 0;
            given = method.bridge().ReadIntegerArgument(method.call, 1, &value);
            if (given) {
                (which == FormatValue::BitsPerSample ? format.bitsPerSample : format.channels) = value;
            }
        }
        if (given) {
            method.instance().status = ApplyFormat(method.device(), format);
        }
    }
    AnswerStatusText(method);
}

}  // namespace

void GetFormatMethod(const MethodCall& method) {
    Format format;
    method.instance().status = ReadFormat(method.device(), &format);
    if (method.instance().status.failed) {
        return;
    }
    HostBridge& bridge = method.bridge();
    MoaMmValue* result = &method.call->resultValue;
    bridge.NewPropertyList(result);
    bridge.AddIntegerProperty(result, "SampleSize", format.bitsPerSample);
    bridge.AddIntegerProperty(result, "NumberOfChannels", format.channels);
    bridge.AddTextProperty(result, "CompressionType", format.compression);
    bridge.AddFloatProperty(result, "SampleRate", format.rateKHz);
}

void SetFormatMethod(const MethodCall& method) {
    Format format;
    ReadFormat(method.device(), &format);  // only its values are wanted
    HostBridge& bridge = method.bridge();
    const MoaMmValue* properties = bridge.Argument(method.call, 1);
    bool validDataSeen = false;
    bool compressionGiven = false;
    if (properties != nullptr) {
        int32_t integer = 0;
        if (bridge.GetIntegerProperty(properties, "SampleSize", &integer)) {
            format.bitsPerSample = integer;
            validDataSeen = true;
        }
        if (bridge.GetIntegerProperty(properties, "NumberOfChannels", &integer)) {
            format.channels = integer;
            validDataSeen = true;
        }
        float rateKHz = 0.0f;
        if (bridge.GetFloatProperty(properties, "SampleRate", &rateKHz)) {
            format.rateKHz = UsableRateKHz(rateKHz);
            validDataSeen = true;
        }
        char compression[kCompressionPropertyBytes];
        if (bridge.GetTextProperty(properties, "CompressionType", compression, sizeof compression)) {
            CopyBounded(format.compression, compression);
            compressionGiven = true;
        }
    }
    if (compressionGiven || validDataSeen) {
        method.instance().status = ApplyFormat(method.device(), format);
    } else {
        FailStatus(method.instance(), "SetFormat did not contain any vaild data");
    }
    AnswerStatusText(method);
}

void SetSampleRateMethod(const MethodCall& method) {
    SetOneFormatValue(method, FormatValue::Rate);
}

void SetBitsPerSampleMethod(const MethodCall& method) {
    SetOneFormatValue(method, FormatValue::BitsPerSample);
}

void SetChannelsMethod(const MethodCall& method) {
    SetOneFormatValue(method, FormatValue::Channels);
}

}  // namespace script
