// IMoaMmList over the value store: positions from 1, added values are
// AddRef'd copies, values got are AddRef'd for the caller.
#pragma once
#include "counted_service.h"
#include "moa/imoa_mm_list.h"
#include "value_store.h"

namespace marlowhost {

class ListService : public CountedService<IMoaMmList> {
public:
    explicit ListService(ValueStore& store) : CountedService(IID_IMoaMmList), store_(store) {}

    MoaError MOA_STDCALL NewListValue(MoaMmValue* out) override;
    MoaError MOA_STDCALL AppendValueToList(MoaMmValue* list, MoaMmValue* element) override;
    // The count itself; 0 for a value that is no list.
    MoaLong MOA_STDCALL CountElements(const MoaMmValue* list) override;
    MoaError MOA_STDCALL GetValueByIndex(const MoaMmValue* list, MoaLong index, MoaMmValue* out) override;
    MoaError MOA_STDCALL SetValueByIndex(MoaMmValue* list, MoaLong index, MoaMmValue* value) override;
    MoaError MOA_STDCALL NewPropListValue(MoaMmValue* out) override;
    MoaError MOA_STDCALL AppendValueToPropList(MoaMmValue* list, MoaMmValue* propertySymbol, MoaMmValue* value) override;
    // propertySymbol is a symbol value; kMoaMmErr_PropertyNotFound when absent.
    MoaError MOA_STDCALL GetValueByProperty(const MoaMmValue* list, MoaMmValue* propertySymbol, MoaMmValue* out) override;
    MoaError MOA_STDCALL SetValueByProperty(MoaMmValue* list, MoaMmValue* propertySymbol, MoaMmValue* value) override;
    MoaError MOA_STDCALL GetPropertyNameByIndex(const MoaMmValue* list, MoaLong index, MoaMmValue* out) override;

private:
    ValueStore& store_;
};

}  // namespace marlowhost
