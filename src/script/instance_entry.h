// Marks a call or notification in progress on an instance; the last one to
// leave finishes a forget that a movie handler asked for meanwhile.
#pragma once

#include "script/script_instance.h"

namespace script {

// Destroys the audio device and the host bridge.
void FinishForget(ScriptInstance& instance);

class InstanceEntry {
public:
    explicit InstanceEntry(ScriptInstance& instance) : instance_(instance) { ++instance_.activeEntries; }
    ~InstanceEntry() {
        if (--instance_.activeEntries == 0 && instance_.teardownPending) {
            FinishForget(instance_);
        }
    }
    InstanceEntry(const InstanceEntry&) = delete;
    InstanceEntry& operator=(const InstanceEntry&) = delete;

private:
    ScriptInstance& instance_;
};

// The object was forgotten: nothing of it may be used any more.
inline bool IsSpent(const ScriptInstance& instance) {
    return instance.hostBridge == nullptr || instance.teardownPending;
}

}  // namespace script
