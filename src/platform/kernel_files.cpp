// CreateFileW and CloseHandle for the one use the Xtra has: a new file,
// read and written, whose handle it gives to mmioOpen. The name arrives in
// UTF-16 and reaches the file system in UTF-8.
#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "platform/utf8_text.h"
#include "platform/win32_layer.h"

namespace {

HANDLE HandleOfDescriptor(int fd) { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(fd)); }

int DescriptorOfHandle(HANDLE handle) { return static_cast<int>(reinterpret_cast<intptr_t>(handle)); }

}  // namespace

extern "C" {

HANDLE WINAPI CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD, LPSECURITY_ATTRIBUTES,
                          DWORD dwCreationDisposition, DWORD, HANDLE) {
    std::string name;
    if (lpFileName == nullptr || !marlowcp::Utf8OfWide(marlowcp::WideOfTerminated(lpFileName), &name) || name.empty())
        return INVALID_HANDLE_VALUE;
    const bool reads = (dwDesiredAccess & GENERIC_READ) != 0;
    const bool writes = (dwDesiredAccess & GENERIC_WRITE) != 0;
    int flags = reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY;
    if (dwCreationDisposition == CREATE_ALWAYS) flags |= O_CREAT | O_TRUNC;
    const int fd = open(name.c_str(), flags | O_CLOEXEC, 0666);
    return fd < 0 ? INVALID_HANDLE_VALUE : HandleOfDescriptor(fd);
}

BOOL WINAPI CloseHandle(HANDLE hObject) {
    if (hObject == INVALID_HANDLE_VALUE) return FALSE;
    return close(DescriptorOfHandle(hObject)) == 0 ? TRUE : FALSE;
}
}
