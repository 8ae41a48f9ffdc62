// The host's numbering of an Xtra's methods, from the registered text: the
// first line ("xtra <name> ...") is the banner; a line that is empty or
// whose first non-blank characters are "--" declares nothing; every other
// line declares one method, whatever marks ("/", "+", "*") stand before
// its name, which is the first word after them. Numbered from 0.
#pragma once
#include <string>
#include <vector>

namespace marlowhost {

struct DeclaredMethod {
    int number = 0;
    std::string name;
    std::string marks;  // the marks before the name, blanks removed ("", "/", "/+")
    std::string line;   // the whole declaring line
};

class MethodTable {
public:
    static MethodTable FromRegistrationText(const std::string& text);

    // The second word of the banner ("Marlowtide"), empty without banner.
    const std::string& XtraName() const { return xtraName_; }
    int Count() const { return static_cast<int>(methods_.size()); }
    // Without case; -1 when no line declares the name.
    int Find(const std::string& name) const;
    // Null outside 0..Count()-1.
    const DeclaredMethod* At(int number) const;
    const std::vector<DeclaredMethod>& Methods() const { return methods_; }

private:
    std::string xtraName_;
    std::vector<DeclaredMethod> methods_;
};

}  // namespace marlowhost
