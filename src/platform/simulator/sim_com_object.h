// The COM plumbing of the simulated DirectSound objects, written once: their
// own interface and IUnknown answer QueryInterface, the last Release deletes
// the object, and each is handed out with its one reference. Makers and
// buffers differ only in the bookkeeping by which a buffer still alive when
// its maker goes is noticed.
#pragma once

#include <cstdint>
#include <new>
#include <utility>

#include "platform/dsound_layer.h"
#include "platform/simulator/device_link.h"
#include "platform/simulator/sim_object.h"

namespace marlowsim::detail {

// Object is the final class, which the last Release deletes whole.
template <class Object, class Interface, const IID& kOwnIid>
class SimComObject : public Interface, protected SimObject {
public:
    HRESULT QueryInterface(REFIID riid, void** object) final {
        return QueryOwnInterface(riid, kOwnIid, this, object);
    }
    ULONG AddRef() final { return AddReference(); }
    ULONG Release() final {
        ULONG left = 0;
        if (DropReference(&left)) delete static_cast<Object*>(this);
        return left;
    }

protected:
    SimComObject() = default;
    ~SimComObject() = default;
};

// A DirectSound or capture object of one device. It goes only on its last
// release, and its buffers still alive then were released out of order.
template <class Object, class Interface, const IID& kOwnIid>
class SimMaker : public SimComObject<Object, Interface, kOwnIid> {
public:
    template <class... Arguments>
    static HRESULT Create(Interface** object, Arguments&&... arguments) {
        auto* made = new (std::nothrow) Object(std::forward<Arguments>(arguments)...);
        if (!made) return DSERR_OUTOFMEMORY;
        *object = made;
        return DS_OK;
    }

protected:
    explicit SimMaker(const DeviceLink& device) : device_(device) {}
    ~SimMaker() { this->NoteMakerGone(); }

    const DeviceLink device_;
};

// A sound or capture buffer, counted against its maker while it lives.
template <class Object, class Interface, const IID& kOwnIid>
class SimBuffer : public SimComObject<Object, Interface, kOwnIid> {
public:
    // Object::Allocate takes the buffer's memory; a buffer without it goes again at once.
    template <class... Arguments>
    static HRESULT Create(DWORD bytes, Interface** buffer, Arguments&&... arguments) {
        auto* made = new (std::nothrow) Object(std::forward<Arguments>(arguments)...);
        if (!made) return DSERR_OUTOFMEMORY;
        if (!made->Allocate(bytes)) {
            made->Release();
            return DSERR_OUTOFMEMORY;
        }
        *buffer = made;
        return DS_OK;
    }

protected:
    SimBuffer(uint64_t makerId, const DeviceLink& device) : device_(device), makerId_(makerId) {
        this->NoteBufferMade(makerId_);
    }
    ~SimBuffer() { this->NoteBufferGone(makerId_); }

    // The maker's device, as the buffer's calls see it.
    const DeviceLink device_;

private:
    const uint64_t makerId_;
};

}  // namespace marlowsim::detail
