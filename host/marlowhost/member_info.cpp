#include "member_info.h"

#include "names.h"
#include "wav_summary.h"

namespace marlowhost {

lingo::Value MemberInfoValue(const CastMember& member) {
    WavSummary wav;
    if (!member.HasMedia() || !ReadWavSummary(member.Media(), &wav)) wav = WavSummary();
    auto integer = [](uint64_t number) { return lingo::Value::Integer(static_cast<int32_t>(number)); };
    lingo::PropertyList info{
        {lingo::Value::Symbol("type"), lingo::Value::Symbol(lingo::FoldCase(member.Type()))},
        {lingo::Value::Symbol("number"), integer(static_cast<uint64_t>(member.Index()))},
        {lingo::Value::Symbol("bytes"), integer(member.HasMedia() ? member.Media().size() : 0)},
        {lingo::Value::Symbol("sampleRate"), integer(wav.sampleRate)},
        {lingo::Value::Symbol("channels"), integer(wav.channels)},
        {lingo::Value::Symbol("bits"), integer(wav.bitsPerSample)},
        {lingo::Value::Symbol("duration"), integer(wav.DurationMilliseconds())},
    };
    return lingo::Value::NewPropList(std::move(info));
}

}  // namespace marlowhost
