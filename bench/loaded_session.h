// The loaded library, one host and a simulated machine on the manual clock,
// shared by every benchmark of the run; objects with takes of given lengths.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/simulator/control.h"
#include "test_host.h"
#include "xtra_instance.h"
#include "xtra_loader.h"

namespace bench {

class LoadedSession {
public:
    static LoadedSession& Get();

    marlowhost::TestHost& Host() { return host_; }
    marlowhost::XtraLoader& Loader() { return loader_; }

    // A new object, its device open in the given format (rate in Hz).
    std::unique_ptr<marlowhost::XtraInstance> OpenObject(uint32_t rate, int channels);
    // An object holding a full take of seconds at 44.1 kHz 16-bit stereo.
    marlowhost::XtraInstance& ObjectWithTake(int seconds);

    MoaMmValue Text(const std::string& text) { return host_.Values().String(text); }
    // Calls by number and releases the result.
    void CallAndRelease(const MoaMmValue& object, int method, const std::vector<MoaMmValue>& arguments);
    int Method(const std::string& name) const { return loader_.Methods().Find(name); }
    const std::string& Scratch() const { return scratch_; }

private:
    LoadedSession();
    marlowhost::TestHost host_;
    marlowhost::XtraLoader loader_{host_};
    std::map<int, std::unique_ptr<marlowhost::XtraInstance>> takes_;
    std::string scratch_;
};

// The bytes of a take of seconds at 44.1 kHz 16-bit stereo.
constexpr uint64_t StereoTakeBytes(int seconds) { return static_cast<uint64_t>(seconds) * 176400u; }

}  // namespace bench
