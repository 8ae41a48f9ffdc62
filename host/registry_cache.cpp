#include "registry_cache.h"

#include "host_choices.h"

namespace marlowhost {

MoaError MOA_STDCALL RegistryCache::EnumerateFileEntries(void*, void*) { return kNotImplemented; }
MoaError MOA_STDCALL RegistryCache::EnumerateXtraEntries(void*, void*) { return kNotImplemented; }
MoaError MOA_STDCALL RegistryCache::EnumerateRegistryEntries(void*, void*) { return kNotImplemented; }
MoaError MOA_STDCALL RegistryCache::SetXtraEntryNoncacheable(IMoaDict*) { return kMoaErr_NoErr; }

MoaError MOA_STDCALL RegistryCache::AddRegistryEntry(IMoaDict*, const MoaClassID* classID,
                                                     const MoaInterfaceID* interfaceID, IMoaDict** entryDict) {
    if (classID == nullptr || interfaceID == nullptr || entryDict == nullptr) {
        return kMoaErr_BadParam;
    }
    if (addFailure_ != kMoaErr_NoErr) {
        MoaError failure = addFailure_;
        if (!addFailsAlways_) {
            addFailure_ = kMoaErr_NoErr;
        }
        *entryDict = nullptr;
        return failure;
    }
    RegistryDictionary* existing = Find(*classID, *interfaceID);
    if (existing == nullptr) {
        entries_.push_back(RegistryEntry{*classID, *interfaceID, std::make_unique<RegistryDictionary>(&putFailures_)});
        existing = entries_.back().dictionary.get();
    }
    *entryDict = existing;
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL RegistryCache::GetInstanceFromRegistry(IMoaDict*, const MoaInterfaceID*, void** out) {
    if (out != nullptr) {
        *out = nullptr;
    }
    return kNotImplemented;
}

MoaError MOA_STDCALL RegistryCache::CreateNewInstanceFromRegistry(IMoaDict*, const MoaInterfaceID*, void** out) {
    if (out != nullptr) {
        *out = nullptr;
    }
    return kNotImplemented;
}

MoaError MOA_STDCALL RegistryCache::EnumerateRegistryEntriesFromFile(void*, MoaLong, void*, void*) {
    return kNotImplemented;
}

MoaError MOA_STDCALL RegistryCache::GetFileSpecFromFileDict(IMoaDict*, char*, MoaLong) { return kNotImplemented; }

RegistryDictionary* RegistryCache::Find(const MoaClassID& classID, const MoaInterfaceID& interfaceID) const {
    for (const RegistryEntry& entry : entries_) {
        if (MoaEqualID(entry.classID, classID) && MoaEqualID(entry.interfaceID, interfaceID)) {
            return entry.dictionary.get();
        }
    }
    return nullptr;
}

void RegistryCache::FailAddRegistryEntry(MoaError code, bool always) {
    addFailure_ = code;
    addFailsAlways_ = always;
}

void RegistryCache::FailPut(const std::string& key, MoaError code) { putFailures_[key] = code; }

void RegistryCache::ClearFailures() {
    addFailure_ = kMoaErr_NoErr;
    addFailsAlways_ = false;
    putFailures_.clear();
}

void RegistryCache::Clear() { entries_.clear(); }

}  // namespace marlowhost
