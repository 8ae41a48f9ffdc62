// IMoaCache: keeps one entry dictionary per (class, interface) added by
// Register, and the Xtra's own dictionary passed to it.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "counted_service.h"
#include "moa/imoa_cache.h"
#include "registry_dictionary.h"

namespace marlowhost {

struct RegistryEntry {
    MoaClassID classID;
    MoaInterfaceID interfaceID;
    std::unique_ptr<RegistryDictionary> dictionary;
};

class RegistryCache : public CountedService<IMoaCache> {
public:
    RegistryCache() : CountedService(IID_IMoaCache), xtraDictionary_(&putFailures_) {}

    MoaError MOA_STDCALL EnumerateFileEntries(void* proc, void* refCon) override;
    MoaError MOA_STDCALL EnumerateXtraEntries(void* proc, void* refCon) override;
    MoaError MOA_STDCALL EnumerateRegistryEntries(void* proc, void* refCon) override;
    MoaError MOA_STDCALL SetXtraEntryNoncacheable(IMoaDict* xtraDict) override;
    // The cache keeps the dictionary it gives (not AddRef'd for the caller).
    // A second add of the same class and interface gives the same dictionary.
    MoaError MOA_STDCALL AddRegistryEntry(IMoaDict* xtraDict, const MoaClassID* classID,
                                          const MoaInterfaceID* interfaceID, IMoaDict** entryDict) override;
    MoaError MOA_STDCALL GetInstanceFromRegistry(IMoaDict* registryDict, const MoaInterfaceID* iid, void** out) override;
    MoaError MOA_STDCALL CreateNewInstanceFromRegistry(IMoaDict* registryDict, const MoaInterfaceID* iid, void** out) override;
    MoaError MOA_STDCALL EnumerateRegistryEntriesFromFile(void* fileSpec, MoaLong maxFolderLevels, void* proc, void* refCon) override;
    MoaError MOA_STDCALL GetFileSpecFromFileDict(IMoaDict* fileDict, char* spec, MoaLong length) override;

    // The Xtra's dictionary that the host passes to Register.
    RegistryDictionary& XtraDictionary() { return xtraDictionary_; }
    // Null when Register added no such entry.
    RegistryDictionary* Find(const MoaClassID& classID, const MoaInterfaceID& interfaceID) const;
    const std::vector<RegistryEntry>& Entries() const { return entries_; }

    // The next AddRegistryEntry (or every one, when always) answers code.
    void FailAddRegistryEntry(MoaError code, bool always = false);
    // Every put of key, in any dictionary of this cache, answers code.
    void FailPut(const std::string& key, MoaError code);
    void ClearFailures();
    // Forgets every entry (a host that registers afresh).
    void Clear();

private:
    PutFailures putFailures_;
    RegistryDictionary xtraDictionary_;
    std::vector<RegistryEntry> entries_;
    MoaError addFailure_ = kMoaErr_NoErr;
    bool addFailsAlways_ = false;
};

}  // namespace marlowhost
