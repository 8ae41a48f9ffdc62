#include "list_service.h"

#include "host_choices.h"

namespace marlowhost {

namespace {
// The index the store's vectors use for a host position.
size_t Slot(MoaLong position) { return static_cast<size_t>(position - moa_choice::kFirstListPosition); }
bool InRange(MoaLong position, size_t count) {
    return position >= moa_choice::kFirstListPosition && Slot(position) < count;
}
}  // namespace

MoaError MOA_STDCALL ListService::NewListValue(MoaMmValue* out) {
    if (out == nullptr) {
        return kMoaErr_BadParam;
    }
    *out = store_.MakeList();
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL ListService::AppendValueToList(MoaMmValue* list, MoaMmValue* element) {
    if (list == nullptr || element == nullptr) {
        return kMoaErr_BadParam;
    }
    return store_.Append(*list, *element);
}

MoaLong MOA_STDCALL ListService::CountElements(const MoaMmValue* list) {
    const std::vector<MoaMmValue>* elements = list == nullptr ? nullptr : store_.Elements(*list);
    return elements == nullptr ? 0 : static_cast<MoaLong>(elements->size());
}

MoaError MOA_STDCALL ListService::GetValueByIndex(const MoaMmValue* list, MoaLong index, MoaMmValue* out) {
    if (list == nullptr || out == nullptr) {
        return kMoaErr_BadParam;
    }
    const std::vector<MoaMmValue>* elements = store_.Elements(*list);
    if (elements == nullptr) {
        return kNotAList;
    }
    if (!InRange(index, elements->size())) {
        return kMoaMmErr_ArgOutOfRange;
    }
    *out = (*elements)[Slot(index)];
    return store_.AddRef(*out);
}

MoaError MOA_STDCALL ListService::SetValueByIndex(MoaMmValue* list, MoaLong index, MoaMmValue* value) {
    if (list == nullptr || value == nullptr) {
        return kMoaErr_BadParam;
    }
    return store_.SetAt(*list, index - moa_choice::kFirstListPosition + 1, *value);
}

MoaError MOA_STDCALL ListService::NewPropListValue(MoaMmValue* out) {
    if (out == nullptr) {
        return kMoaErr_BadParam;
    }
    *out = store_.MakePropList();
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL ListService::AppendValueToPropList(MoaMmValue* list, MoaMmValue* propertySymbol,
                                                        MoaMmValue* value) {
    if (list == nullptr || propertySymbol == nullptr || value == nullptr) {
        return kMoaErr_BadParam;
    }
    return store_.AppendProperty(*list, *propertySymbol, *value);
}

MoaError MOA_STDCALL ListService::GetValueByProperty(const MoaMmValue* list, MoaMmValue* propertySymbol,
                                                     MoaMmValue* out) {
    if (list == nullptr || propertySymbol == nullptr || out == nullptr) {
        return kMoaErr_BadParam;
    }
    MoaMmSymbol symbol = 0;
    if (!store_.Symbol(*propertySymbol, &symbol)) {
        return kMoaMmErr_SymbolExpected;
    }
    MoaMmValue found = ValueStore::Void();
    MoaError result = store_.FindProperty(*list, symbol, &found);
    if (result != kMoaErr_NoErr) {
        return result;
    }
    *out = found;
    return store_.AddRef(*out);
}

MoaError MOA_STDCALL ListService::SetValueByProperty(MoaMmValue* list, MoaMmValue* propertySymbol, MoaMmValue* value) {
    if (list == nullptr || propertySymbol == nullptr || value == nullptr) {
        return kMoaErr_BadParam;
    }
    return store_.SetProperty(*list, *propertySymbol, *value);
}

MoaError MOA_STDCALL ListService::GetPropertyNameByIndex(const MoaMmValue* list, MoaLong index, MoaMmValue* out) {
    if (list == nullptr || out == nullptr) {
        return kMoaErr_BadParam;
    }
    const std::vector<MoaMmValue>* keys = store_.Keys(*list);
    if (keys == nullptr) {
        return kNotAList;
    }
    if (!InRange(index, keys->size())) {
        return kMoaMmErr_ArgOutOfRange;
    }
    *out = (*keys)[Slot(index)];
    return store_.AddRef(*out);
}

}  // namespace marlowhost
