// Prints, for each channel of a WAV file holding a steady tone, the largest
// jump of the tone's phase in samples and where it is, for the bench's
// check of a long take: "channel N: CROSSINGS crossings, largest jump J
// samples at S s".
#include <cstdio>

#include "tone_continuity.h"
#include "wav_analysis.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tone_continuity FILE.wav\n");
        return 2;
    }
    const wine_tier::WavFile wav = wine_tier::ReadWav(argv[1]);
    if (!wav.parsed) {
        std::fprintf(stderr, "tone_continuity: %s\n", wav.failure.c_str());
        return 1;
    }
    for (int channel = 0; channel < wav.format.channels; ++channel) {
        const wine_tier::ToneContinuity continuity =
            wine_tier::MeasureToneContinuity(wav.Channel(channel), wav.format.sampleRate);
        std::printf("channel %d: %zu crossings, largest jump %.3f samples at %.3f s\n", channel, continuity.crossings,
                    continuity.largestJump, continuity.atSecond);
    }
    return 0;
}
