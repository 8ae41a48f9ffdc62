#include "platform/simulator/sim_object.h"

#include <cstring>

namespace marlowsim::detail {

SimObject::SimObject() : id_(TheMachine().nextObjectId++), generation_(TheMachine().generation) {
    ++TheMachine().liveDirectSoundObjects;
}

SimObject::~SimObject() {
    if (OfCurrentMachine()) --TheMachine().liveDirectSoundObjects;
}

HRESULT SimObject::QueryOwnInterface(REFIID riid, const IID& own, IUnknown* self, void** object) {
    if (!object) return E_POINTER;
    if (std::memcmp(&riid, &own, sizeof(IID)) != 0 &&
        std::memcmp(&riid, &IID_IUnknown, sizeof(IID)) != 0) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddReference();
    *object = self;
    return S_OK;
}

void SimObject::NoteBufferMade(uint64_t makerId) const { ++TheMachine().liveBuffersByMaker[makerId]; }

void SimObject::NoteBufferGone(uint64_t makerId) const {
    if (!OfCurrentMachine()) return;
    auto maker = TheMachine().liveBuffersByMaker.find(makerId);
    if (maker != TheMachine().liveBuffersByMaker.end() && --maker->second == 0)
        TheMachine().liveBuffersByMaker.erase(maker);
}

void SimObject::NoteMakerGone() const {
    if (!OfCurrentMachine()) return;
    auto maker = TheMachine().liveBuffersByMaker.find(id_);
    if (maker == TheMachine().liveBuffersByMaker.end()) return;
    TheMachine().releaseOrderViolations += maker->second;
    TheMachine().liveBuffersByMaker.erase(maker);
}

}  // namespace marlowsim::detail
