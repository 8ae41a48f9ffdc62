// One Lingo object of a loaded Xtra, for tests: made with `new` on
// construction, its value released on destruction (forget is explicit).
#pragma once
#include <string>
#include <vector>

#include "xtra_loader.h"

namespace marlowhost {

class XtraInstance {
public:
    // The arguments are borrowed; NewResult() tells how `new` went.
    explicit XtraInstance(XtraLoader& loader, const std::vector<MoaMmValue>& arguments = {});
    ~XtraInstance();
    XtraInstance(const XtraInstance&) = delete;
    XtraInstance& operator=(const XtraInstance&) = delete;

    MoaError NewResult() const { return newResult_; }
    const MoaMmValue& Value() const { return object_; }
    // The result passes to the caller.
    MoaError Call(const std::string& method, const std::vector<MoaMmValue>& arguments, MoaMmValue* result);
    // The result as Lingo shows it (released here); the arguments are
    // released too, so calls can be written with fresh values inline.
    std::string CallText(const std::string& method, std::vector<MoaMmValue> arguments = {});
    // forget, then the value goes; later calls answer kMoaErr_BadParam.
    MoaError Forget();

private:
    XtraLoader& loader_;
    MoaMmValue object_ = {0, 0};
    MoaError newResult_ = kMoaErr_NoErr;
};

}  // namespace marlowhost
