#include "registry_dictionary.h"

#include <cstring>

#include "host_choices.h"

namespace marlowhost {

MoaError MOA_STDCALL RegistryDictionary::SetSize(MoaUlong) { return kMoaErr_NoErr; }

MoaError MOA_STDCALL RegistryDictionary::MakeDict(IMoaDict** out, const char*) {
    if (out != nullptr) {
        *out = nullptr;
    }
    return kNotImplemented;
}

MoaError MOA_STDCALL RegistryDictionary::Get(MoaDictTypeID type, void* buffer, MoaLong bufferSize, const char* key) {
    if (buffer == nullptr || key == nullptr) {
        return kMoaErr_BadParam;
    }
    const DictEntry* entry = Find(key);
    if (entry == nullptr) {
        return kMoaDictErr_NotFound;
    }
    if (entry->type != type) {
        return kDictWrongType;
    }
    if (bufferSize < 0 || entry->data.size() > static_cast<size_t>(bufferSize)) {
        return kDictBufferTooSmall;
    }
    std::memcpy(buffer, entry->data.data(), entry->data.size());
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL RegistryDictionary::Put(MoaDictTypeID type, const void* data, MoaLong size, const char* key) {
    if (key == nullptr || size < 0 || (data == nullptr && size > 0)) {
        return kMoaErr_BadParam;
    }
    ++puts_;
    auto failure = failures_->find(key);
    if (failure != failures_->end()) {
        return failure->second;
    }
    DictEntry entry;
    entry.type = type;
    entry.size = size;
    entry.key = key;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    // The message table is put with size 0: the size is the C string's.
    size_t copied = static_cast<size_t>(size);
    if (type == kMoaDictType_CString && size == 0 && data != nullptr) {
        copied = std::strlen(static_cast<const char*>(data)) + 1;
    }
    entry.data.assign(bytes, bytes + copied);
    Remove(key);
    entries_.push_back(std::move(entry));
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL RegistryDictionary::Remove(const char* key) {
    if (key == nullptr) {
        return kMoaErr_BadParam;
    }
    for (auto entry = entries_.begin(); entry != entries_.end(); ++entry) {
        if (entry->key == key) {
            entries_.erase(entry);
            return kMoaErr_NoErr;
        }
    }
    return kMoaDictErr_NotFound;
}

MoaError MOA_STDCALL RegistryDictionary::Count(MoaUlong* count) {
    if (count == nullptr) {
        return kMoaErr_BadParam;
    }
    *count = static_cast<MoaUlong>(entries_.size());
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL RegistryDictionary::GetNth(MoaUlong index, MoaDictTypeID* type, MoaLong* size, const char** key) {
    if (index >= entries_.size()) {
        return kMoaDictErr_NotFound;
    }
    const DictEntry& entry = entries_[index];
    if (type != nullptr) {
        *type = entry.type;
    }
    if (size != nullptr) {
        *size = static_cast<MoaLong>(entry.data.size());
    }
    if (key != nullptr) {
        *key = entry.key.c_str();
    }
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL RegistryDictionary::GetInfo(MoaDictTypeID* type, MoaLong* size, const char* key) {
    const DictEntry* entry = key == nullptr ? nullptr : Find(key);
    if (entry == nullptr) {
        return kMoaDictErr_NotFound;
    }
    if (type != nullptr) {
        *type = entry->type;
    }
    if (size != nullptr) {
        *size = static_cast<MoaLong>(entry->data.size());
    }
    return kMoaErr_NoErr;
}

const char* MOA_STDCALL RegistryDictionary::FindKey(const char* key) {
    const DictEntry* entry = key == nullptr ? nullptr : Find(key);
    return entry == nullptr ? nullptr : entry->key.c_str();
}

const DictEntry* RegistryDictionary::Find(const std::string& key) const {
    for (const DictEntry& entry : entries_) {
        if (entry.key == key) {
            return &entry;
        }
    }
    return nullptr;
}

bool RegistryDictionary::Text(const std::string& key, std::string* text) const {
    const DictEntry* entry = Find(key);
    if (entry == nullptr || entry->type != kMoaDictType_CString) {
        return false;
    }
    const char* begin = reinterpret_cast<const char*>(entry->data.data());
    size_t length = 0;
    while (length < entry->data.size() && begin[length] != '\0') {
        ++length;
    }
    text->assign(begin, length);
    return true;
}

}  // namespace marlowhost
