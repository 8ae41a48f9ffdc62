#include "cast_member.h"

#include <new>
#include <vector>

#include "host_choices.h"
#include "global_block.h"
#include "text_fold.h"

namespace marlowhost {

namespace {
bool IsProperty(const ValueStore& store, MoaMmSymbol property, const char* name) {
    std::string text;
    return store.SymbolName(property, &text) && SameName(text, name);
}
std::string NameOf(const ValueStore& store, MoaMmSymbol symbol) {
    std::string text;
    store.SymbolName(symbol, &text);
    return text;
}
}  // namespace

MoaError MOA_STDCALL CastMember::GetProp(MoaMmSymbol property, MoaMmValue* out) {
    if (out == nullptr) {
        return kMoaErr_BadParam;
    }
    if (IsProperty(store_, property, "name")) {
        *out = store_.MakeString(name_);
        return kMoaErr_NoErr;
    }
    if (IsProperty(store_, property, "type")) {
        *out = store_.MakeSymbol(store_.Intern(type_));
        return kMoaErr_NoErr;
    }
    return kMoaMmErr_PropertyNotFound;
}

MoaError MOA_STDCALL CastMember::SetProp(MoaMmSymbol property, const MoaMmValue* value) {
    if (value == nullptr) {
        return kMoaErr_BadParam;
    }
    if (!IsProperty(store_, property, "name")) {
        return kCannotSetProperty;
    }
    const std::string* text = store_.String(*value);
    if (text == nullptr) {
        return kMoaMmErr_StringExpected;
    }
    name_ = *text;
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL CastMember::GetMedia(MoaDrMediaInfo* info) {
    if (info == nullptr) {
        return kMoaErr_BadParam;
    }
    if (!hasMedia_) {
        return kMediaNotReady;
    }
    void* block = NewGlobalBlock(media_);
    if (block == nullptr) {
        return kMoaErr_OutOfMem;
    }
    info->labelSymbol = store_.Intern(mediaLabel_);
    info->formatSymbol = store_.Intern(mediaFormat_);
    info->mediaData = block;
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL CastMember::SetMedia(MoaDrMediaInfo* info) {
    if (info == nullptr || info->mediaData == nullptr) {
        return kMoaErr_BadParam;
    }
    ++setMediaCalls_;
    if (mediaRefusal_ != kMoaErr_NoErr) {
        return mediaRefusal_;
    }
    // Director copies: the block stays the caller's. A copy that cannot
    // have its memory is refused as Director refuses it, and the member
    // keeps the media it had.
    std::vector<uint8_t> copy;
    try {
        if (!CopyGlobalBlock(info->mediaData, &copy)) {
            return kMoaErr_BadParam;
        }
    } catch (const std::bad_alloc&) {
        return kMoaErr_OutOfMem;
    }
    media_.swap(copy);
    mediaLabel_ = NameOf(store_, info->labelSymbol);
    mediaFormat_ = NameOf(store_, info->formatSymbol);
    hasMedia_ = true;
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL CastMember::AttachMedia(MoaDrMediaInfo*) { return kNotImplemented; }

MoaError MOA_STDCALL CastMember::CallFunction(MoaMmSymbol, MoaLong, const MoaMmValue*, MoaMmValue*) {
    return kNotImplemented;
}

MoaError MOA_STDCALL CastMember::GetMemberIndex(MoaDrMemberIndex* out) {
    if (out == nullptr) {
        return kMoaErr_BadParam;
    }
    *out = index_;
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL CastMember::GetScoreAccess(IMoaDrScoreAccess** out) {
    if (out != nullptr) {
        *out = nullptr;
    }
    return kNotImplemented;
}

MoaError MOA_STDCALL CastMember::CallHandler(MoaMmSymbol, MoaLong, MoaMmValue*, MoaMmValue*, MoaBool* handled) {
    if (handled != nullptr) {
        *handled = 0;
    }
    return kNotImplemented;
}

}  // namespace marlowhost
