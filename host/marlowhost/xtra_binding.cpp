#include "xtra_binding.h"

#include "machine_control.h"
#include "member_info.h"
#include "names.h"
#include "result_code_text.h"
#include "simulated_machine.h"
#include "value_conversion.h"

namespace marlowhost {

XtraBinding::XtraBinding(TestHost& host, XtraLoader& loader, Transcript& transcript, DirectorText text)
    : host_(host), loader_(loader), transcript_(transcript), text_(text) {}

XtraBinding::~XtraBinding() {
    // The script's values are gone by now; what they dropped is forgotten.
    scriptStopped_ = true;
    while (!dropped_.empty()) {
        MoaMmValue object = dropped_.front();
        dropped_.pop_front();
        loader_.Forget(&object);
    }
}

void XtraBinding::ServeHandlers(lingo::MovieHandlers& handlers, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        host_.Handlers().Define(name, [this, &handlers, name](const std::vector<MoaMmValue>& arguments) {
            return AnswerHandler(handlers, name, arguments);
        });
    }
}

MoaMmValue XtraBinding::AnswerHandler(lingo::MovieHandlers& handlers, const std::string& name,
                                      const std::vector<MoaMmValue>& arguments) {
    if (scriptStopped_ || heldError_) return ValueStore::Void();
    try {
        std::vector<lingo::Value> values;
        for (const MoaMmValue& argument : arguments) values.push_back(FromHost(argument, currentLine_));
        lingo::Value result = handlers.CallHandler(name, values, currentLine_);
        return ToHostValue(host_.Store(), text_, result, currentLine_);
    } catch (const lingo::ScriptError& error) {
        heldError_ = error;
    } catch (const std::exception& error) {
        heldError_ = lingo::ScriptError(currentLine_, std::string("Script error: ") + error.what());
    }
    return ValueStore::Void();
}

void XtraBinding::RaiseHeldError() {
    if (!heldError_) return;
    lingo::ScriptError error = *heldError_;
    heldError_.reset();
    throw error;
}

lingo::Value XtraBinding::FromHost(const MoaMmValue& value, int line) {
    // An object the Xtra hands back is one the script holds, or none.
    auto findObject = [this](const MoaMmValue& object) {
        IMoaUnknown* unknown = host_.Store().Object(object);
        for (const auto& entry : live_) {
            std::shared_ptr<XtraObject> held = entry.second.lock();
            if (held && !held->IsForgotten() && host_.Store().Object(held->HostValue()) == unknown) {
                return lingo::Value::Object(held);
            }
        }
        return lingo::Value();
    };
    return FromHostValue(host_.Store(), text_, value, findObject, line);
}

std::vector<MoaMmValue> XtraBinding::ToHost(const std::vector<lingo::Value>& values, size_t first, int line) {
    std::vector<MoaMmValue> converted;
    try {
        for (size_t i = first; i < values.size(); ++i) {
            converted.push_back(ToHostValue(host_.Store(), text_, values[i], line));
        }
    } catch (...) {
        ReleaseAll(converted);
        throw;
    }
    return converted;
}

void XtraBinding::ReleaseAll(std::vector<MoaMmValue>& values) {
    for (MoaMmValue& value : values) host_.Store().Release(value);
    values.clear();
}

lingo::Value XtraBinding::Adopt(MoaMmValue object) {
    // The last reference going does not forget at once: the Xtra may call
    // the script's handlers then, which must happen between statements.
    std::shared_ptr<XtraObject> held(new XtraObject(object, loader_.XtraName()), [this](XtraObject* gone) {
        live_.erase(gone);
        if (!gone->IsForgotten()) dropped_.push_back(gone->TakeHostValue());
        delete gone;
    });
    live_[held.get()] = held;
    return lingo::Value::Object(held);
}

lingo::Value XtraBinding::NewObject(const std::string& xtraName, const std::vector<lingo::Value>& arguments, int line) {
    if (!lingo::SameName(xtraName, loader_.XtraName())) {
        throw lingo::ScriptError(line, "Script error: no xtra named " + xtraName + " is loaded");
    }
    currentLine_ = line;
    std::vector<MoaMmValue> hostArguments = ToHost(arguments, 0, line);
    MoaMmValue object = ValueStore::Void();
    MoaError result = loader_.NewObject(hostArguments, &object);
    ReleaseAll(hostArguments);
    if (result != kMoaErr_NoErr) {
        RaiseHeldError();
        throw lingo::ScriptError(line, "Script error: new(xtra \"" + xtraName + "\") failed with " + ResultCodeText(result));
    }
    lingo::Value made = Adopt(object);
    RaiseHeldError();
    return made;
}

bool XtraBinding::HasMethod(const lingo::ScriptObject& object, const std::string& method) {
    return dynamic_cast<const XtraObject*>(&object) != nullptr && loader_.Methods().Find(method) >= 0;
}

lingo::Value XtraBinding::CallMethod(const std::string& method, const std::vector<lingo::Value>& arguments, int line) {
    auto* object = dynamic_cast<XtraObject*>(arguments[0].ObjectRef().get());
    if (lingo::SameName(method, "forget")) {
        throw lingo::ScriptError(line, "Script error: forget is the host's to call: drop the last reference (obj = 0)");
    }
    if (lingo::SameName(method, "new")) {
        throw lingo::ScriptError(line, "Script error: an object is made with new(xtra \"" + loader_.XtraName() + "\")");
    }
    if (object->IsForgotten()) throw lingo::ScriptError(line, "Script error: the object has been forgotten");
    currentLine_ = line;
    std::vector<MoaMmValue> hostArguments = ToHost(arguments, 1, line);
    MoaMmValue result = ValueStore::Void();
    MoaError answer = loader_.CallMethod(object->HostValue(), method, hostArguments, &result);
    ReleaseAll(hostArguments);
    // The result goes back to the host even when its text cannot be read.
    lingo::Value value;
    std::optional<lingo::ScriptError> unreadable;
    try {
        value = FromHost(result, line);
    } catch (const lingo::ScriptError& error) {
        unreadable = error;
    }
    host_.Store().Release(result);
    RaiseHeldError();
    if (unreadable) throw *unreadable;
    if (answer == kMoaMmErr_FunctionNotFound) throw lingo::ScriptError(line, "Script error: no method " + method);
    if (answer != kMoaErr_NoErr) {
        throw lingo::ScriptError(line, "Script error: " + method + " answered " + ResultCodeText(answer));
    }
    return value;
}

void XtraBinding::ReleaseDroppedObjects() {
    while (!dropped_.empty()) {
        MoaMmValue object = dropped_.front();
        dropped_.pop_front();
        loader_.Forget(&object);
    }
    RaiseHeldError();
}

void XtraBinding::ForgetLiveObjects() {
    // Forgetting may run handlers that drop objects: hold them all first.
    std::vector<std::shared_ptr<XtraObject>> remaining;
    for (const auto& entry : live_) {
        if (std::shared_ptr<XtraObject> held = entry.second.lock()) remaining.push_back(held);
    }
    for (const std::shared_ptr<XtraObject>& object : remaining) {
        if (object->IsForgotten()) continue;
        MoaMmValue value = object->TakeHostValue();
        loader_.Forget(&value);
    }
    remaining.clear();
    ReleaseDroppedObjects();
}

int32_t XtraBinding::Milliseconds() { return MachineMilliseconds(); }

void XtraBinding::IdleTick(int32_t milliseconds) {
    PassTime(milliseconds);
    host_.Idle();
    RaiseHeldError();
}

void XtraBinding::Simulate(const std::vector<lingo::Value>& arguments, int line) {
    ControlMachine(arguments, line);
}

lingo::Value XtraBinding::MemberInfo(const std::string& name, int32_t castLib) {
    CastLibrary* cast = host_.Movie().Cast(castLib);
    // A name that is not text names no member.
    std::string hostName;
    CastMember* member = cast && text_.ToHost(name, &hostName) ? cast->MemberNamed(hostName) : nullptr;
    if (!member) return lingo::Value();
    return MemberInfoValue(*member);
}

}  // namespace marlowhost
