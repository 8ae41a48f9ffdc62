// The process-wide trace file: a header at each open, then one tick-stamped
// record per Write, flushed at once. Reached only through a HostBridge.
#pragma once

#include <cstdio>

#include "diag/status_record.h"
#include "platform/windows_api.h"

class TraceLog {
public:
    // Made at first use and never destroyed: every bridge of the process shares it.
    static TraceLog& Instance();

    // Creates or truncates path ("w+", text mode) and writes the header. A
    // path that cannot be opened is silent: "Ok", and no file.
    StatusRecord Open(const WCHAR* path);
    StatusRecord Close();
    // Appends "<ticks>: <tag>:<text>\n" when a file is open.
    StatusRecord Write(const char* tag, const char* text);
    bool IsOpen() const { return file_ != nullptr; }

    TraceLog(const TraceLog&) = delete;
    TraceLog& operator=(const TraceLog&) = delete;

private:
    TraceLog() = default;
    // When the host unloads the library, a log still open is closed.
    ~TraceLog();
    void WritePiece(const char* text);

    std::FILE* file_ = nullptr;
    StatusRecord status_;
};
