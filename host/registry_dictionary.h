// IMoaDict: the entry dictionary the registry cache hands to Register. A
// put keeps the type, a copy of the data, the size given and the key; a
// CString put with size 0 copies the C string with its terminator.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "counted_service.h"
#include "moa/imoa_dict.h"

namespace marlowhost {

struct DictEntry {
    MoaDictTypeID type = 0;
    std::vector<uint8_t> data;
    MoaLong size = 0;  // as given to Put
    std::string key;
};

// Answers that puts of a key are to give instead of storing (shared by the
// dictionaries of one cache).
using PutFailures = std::map<std::string, MoaError>;

class RegistryDictionary : public CountedService<IMoaDict> {
public:
    explicit RegistryDictionary(const PutFailures* failures) : CountedService(IID_IMoaDict), failures_(failures) {}

    MoaError MOA_STDCALL SetSize(MoaUlong n) override;
    MoaError MOA_STDCALL MakeDict(IMoaDict** out, const char* key) override;
    MoaError MOA_STDCALL Get(MoaDictTypeID type, void* buffer, MoaLong bufferSize, const char* key) override;
    MoaError MOA_STDCALL Put(MoaDictTypeID type, const void* data, MoaLong size, const char* key) override;
    MoaError MOA_STDCALL Remove(const char* key) override;
    MoaError MOA_STDCALL Count(MoaUlong* count) override;
    MoaError MOA_STDCALL GetNth(MoaUlong index, MoaDictTypeID* type, MoaLong* size, const char** key) override;
    MoaError MOA_STDCALL GetInfo(MoaDictTypeID* type, MoaLong* size, const char* key) override;
    const char* MOA_STDCALL FindKey(const char* key) override;

    // Keys compare exactly. Null when the key was never put.
    const DictEntry* Find(const std::string& key) const;
    // The text of a CString entry; false when absent or of another type.
    bool Text(const std::string& key, std::string* text) const;
    const std::vector<DictEntry>& Entries() const { return entries_; }
    int Puts() const { return puts_; }

private:
    std::vector<DictEntry> entries_;
    const PutFailures* failures_;
    int puts_ = 0;
};

}  // namespace marlowhost
