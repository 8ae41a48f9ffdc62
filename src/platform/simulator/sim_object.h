// What every simulated DirectSound object shares: its reference count, its
// place in the machine's live-object count, and the bookkeeping by which a
// buffer still alive when its maker is released is noticed.
#pragma once

#include "platform/dsound_layer.h"
#include "platform/simulator/machine.h"

namespace marlowsim::detail {

class SimObject {
public:
    SimObject(const SimObject&) = delete;
    SimObject& operator=(const SimObject&) = delete;

protected:
    SimObject();
    ~SimObject();

    ULONG AddReference() { return ++references_; }
    // True when the last reference is gone and the object must go.
    bool DropReference(ULONG* left) {
        *left = --references_;
        return *left == 0;
    }
    // Answers this object for IUnknown and its own interface.
    HRESULT QueryOwnInterface(REFIID riid, const IID& own, IUnknown* self, void** object);

    // A maker (DirectSound or capture object) and the buffers it made.
    void NoteBufferMade(uint64_t makerId) const;
    void NoteBufferGone(uint64_t makerId) const;
    void NoteMakerGone() const;
    bool OfCurrentMachine() const { return generation_ == TheMachine().generation; }

    const uint64_t id_;

private:
    const uint32_t generation_;
    ULONG references_ = 1;
};

}  // namespace marlowsim::detail
