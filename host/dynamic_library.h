// A shared library opened by path: dlopen on Linux, LoadLibraryA on Windows.
#pragma once
#include <string>

namespace marlowhost {

class DynamicLibrary {
public:
    DynamicLibrary() = default;
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // False with Error() telling why.
    bool Open(const std::string& path);
    // Null when the library does not export the name.
    void* Symbol(const char* name) const;
    void Close();
    // Leaves the library loaded for good (code of it may still be referenced).
    void Abandon();
    bool IsOpen() const { return handle_ != nullptr; }
    const std::string& Error() const { return error_; }

private:
    void* handle_ = nullptr;
    std::string error_;
};

}  // namespace marlowhost
