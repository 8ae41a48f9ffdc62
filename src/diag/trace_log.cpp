#include "diag/trace_log.h"

#include <cstdint>
#include <cstring>

#include "platform/windows_api.h"

namespace {

constexpr const char* kLineEnd = "\n";

}  // namespace

TraceLog& TraceLog::Instance() {
    // Goes with the library when the host unloads it.
    static TraceLog instance;
    return instance;
}

TraceLog::~TraceLog() {
    Close();
}

StatusRecord TraceLog::Open(const WCHAR* path) {
    // A second instance switching its log on gets a fresh file; the first
    // stream must not be left open. Close also resets the status.
    Close();
    if (path != nullptr) {
        static const WCHAR kMode[] = {'w', '+', 0};
        file_ = _wfopen(path, kMode);
    }
    if (file_ != nullptr) {
        WritePiece("Code compile date:");
        WritePiece(__DATE__);
        WritePiece("\n");
        WritePiece(" Code compile time:");
        WritePiece(__TIME__);
        WritePiece("\n");
        std::fflush(file_);
    }
    return status_;
}

StatusRecord TraceLog::Close() {
    status_.Reset();
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    return status_;
}

StatusRecord TraceLog::Write(const char* tag, const char* text) {
    status_.Reset();
    if (file_ == nullptr) {
        return status_;
    }
    // The tick counter read as signed: past 24.8 days of uptime it is negative.
    char stamp[16];
    std::snprintf(stamp, sizeof stamp, "%d: ", static_cast<int>(static_cast<int32_t>(GetTickCount())));
    WritePiece(stamp);
    WritePiece(tag);
    WritePiece(":");
    WritePiece(text);
    WritePiece(kLineEnd);
    std::fflush(file_);
    return status_;
}

// Movie texts go out byte for byte: nothing is ever formatted from them.
void TraceLog::WritePiece(const char* text) {
    if (text != nullptr) {
        std::fwrite(text, 1, std::strlen(text), file_);
    }
}
