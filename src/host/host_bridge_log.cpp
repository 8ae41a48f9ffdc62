#include "host/host_bridge.h"

#include <cstdio>
#include <vector>

#include "diag/bounded_text.h"
#include "diag/trace_log.h"

namespace {

constexpr const char* kTraceTag = "<*>";
constexpr std::size_t kTraceValuesBytes = 32768;

}  // namespace

StatusRecord HostBridge::SetLogPath(const char* path) {
    status.Reset();
    // A path longer than any Windows takes stays longer than that here, and
    // so is never opened under the name of its first part.
    CopyBounded(logPath_, path);
    return status;
}

StatusRecord HostBridge::OpenLog() {
    // A path Windows cannot be given whole is one that cannot be opened.
    WideText path;
    const bool whole = Text().PathToWide(logPath_, &path) == PathConversion::kWhole;
    status = TraceLog::Instance().Open(whole ? path.c_str() : nullptr);
    if (TraceLog::Instance().IsOpen() && hostText_.productVersion[0] != '\0') {
        char encoding[32];
        Text().Describe(encoding, sizeof encoding);
        char record[96];
        std::snprintf(record, sizeof record, "Text from the host: %s (Director %s)", encoding,
                      hostText_.productVersion);
        TraceLog::Instance().Write(kTraceTag, record);
    }
    return status;
}

StatusRecord HostBridge::CloseLog() {
    status = TraceLog::Instance().Close();
    return status;
}

StatusRecord HostBridge::Trace(const char* text, const char* tag) {
    status.Reset();
    // After any close the next line starts a fresh file at this bridge's path.
    if (!TraceLog::Instance().IsOpen()) {
        OpenLog();
    }
    status = TraceLog::Instance().Write(tag, text);
    return status;
}

StatusRecord HostBridge::TraceValues(int32_t count, const MoaMmValue* values) {
    status.Reset();
    if (!TraceLog::Instance().IsOpen()) {
        OpenLog();
    }
    std::vector<char> text(kTraceValuesBytes, '\0');
    std::size_t position = 0;
    for (int32_t index = 0; index < count; ++index) {
        FormatValue(&values[index], text.data(), text.size(), &position);
    }
    return Trace(text.data(), kTraceTag);
}
