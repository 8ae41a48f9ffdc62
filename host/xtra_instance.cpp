#include "xtra_instance.h"

namespace marlowhost {

XtraInstance::XtraInstance(XtraLoader& loader, const std::vector<MoaMmValue>& arguments)
    : loader_(loader), newResult_(loader.NewObject(arguments, &object_)) {}

XtraInstance::~XtraInstance() { loader_.Host().Store().Release(object_); }

MoaError XtraInstance::Call(const std::string& method, const std::vector<MoaMmValue>& arguments, MoaMmValue* result) {
    return loader_.CallMethod(object_, method, arguments, result);
}

std::string XtraInstance::CallText(const std::string& method, std::vector<MoaMmValue> arguments) {
    MoaMmValue result = ValueStore::Void();
    loader_.CallMethod(object_, method, arguments, &result);
    for (MoaMmValue& argument : arguments) {
        loader_.Host().Values().Release(&argument);
    }
    std::string text = loader_.Host().Values().LingoText(result);
    loader_.Host().Values().Release(&result);
    return text;
}

MoaError XtraInstance::Forget() { return loader_.Forget(&object_); }

}  // namespace marlowhost
