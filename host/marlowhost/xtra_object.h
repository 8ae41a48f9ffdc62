// A Lingo object of the loaded Xtra as the script holds it: the host's
// object value, with the one reference the script's variables share.
#pragma once

#include <string>

#include "lingo_value.h"
#include "moa/moa_types.h"

namespace marlowhost {

class XtraObject : public lingo::ScriptObject {
public:
    XtraObject(MoaMmValue value, std::string className) : value_(value), className_(std::move(className)) {}

    std::string ClassName() const override { return className_; }
    const MoaMmValue& HostValue() const { return value_; }
    // Void once the object has been forgotten.
    bool IsForgotten() const { return value_.ty == 0 && value_.it == 0; }
    // Hands the value over for forgetting; the object is Void afterwards.
    MoaMmValue TakeHostValue() {
        MoaMmValue taken = value_;
        value_ = MoaMmValue{0, 0};
        return taken;
    }

private:
    MoaMmValue value_;
    std::string className_;
};

}  // namespace marlowhost
