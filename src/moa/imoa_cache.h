#pragma once
#include "moa/imoa_dict.h"

// {AC3E7803-0002-8FE3-0000-080007160DC3}
inline constexpr MoaInterfaceID IID_IMoaCache = {0xAC3E7803, 0x0002, 0x8FE3, {0x00, 0x00, 0x08, 0x00, 0x07, 0x16, 0x0D, 0xC3}};

struct IMoaCache : IMoaUnknown {
    virtual MoaError MOA_STDCALL EnumerateFileEntries(void* proc, void* refCon) = 0;
    virtual MoaError MOA_STDCALL EnumerateXtraEntries(void* proc, void* refCon) = 0;
    virtual MoaError MOA_STDCALL EnumerateRegistryEntries(void* proc, void* refCon) = 0;
    virtual MoaError MOA_STDCALL SetXtraEntryNoncacheable(IMoaDict* xtraDict) = 0;
    // The cache keeps the entry dictionary; the caller does not release it.
    virtual MoaError MOA_STDCALL AddRegistryEntry(IMoaDict* xtraDict, const MoaClassID* classID,
                                                  const MoaInterfaceID* interfaceID, IMoaDict** entryDict) = 0;
    virtual MoaError MOA_STDCALL GetInstanceFromRegistry(IMoaDict* registryDict, const MoaInterfaceID* iid, void** out) = 0;
    virtual MoaError MOA_STDCALL CreateNewInstanceFromRegistry(IMoaDict* registryDict, const MoaInterfaceID* iid, void** out) = 0;
    virtual MoaError MOA_STDCALL EnumerateRegistryEntriesFromFile(void* fileSpec, MoaLong maxFolderLevels, void* proc, void* refCon) = 0;
    virtual MoaError MOA_STDCALL GetFileSpecFromFileDict(IMoaDict* fileDict, char* spec, MoaLong length) = 0;
};
