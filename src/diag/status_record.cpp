#include "diag/status_record.h"

#include <cstdio>
#include <cstring>

#include "diag/bounded_text.h"

void StatusRecord::Reset() {
    CopyBounded(message, "Ok");
    code = -1;
    failed = false;
}

void StatusRecord::SetFailure(const char* text, int32_t failureCode) {
    CopyBounded(message, text != nullptr ? text : "");
    code = failureCode;
    failed = true;
    if (callback != nullptr) {
        callback(userData, text != nullptr ? text : "", failureCode);
    }
}

const char* StatusRecord::FormatText() {
    if (failed) {
        // Built in pieces so that a long message is cut, never the code.
        char codeText[16];
        std::snprintf(codeText, sizeof codeText, " (%d)", static_cast<int>(code));
        CopyBounded(formattedText, "Error :");
        AppendBounded(formattedText, sizeof formattedText - std::strlen(codeText), message);
        AppendBounded(formattedText, sizeof formattedText, codeText);
    } else {
        CopyBounded(formattedText, message);
    }
    return formattedText;
}

void StatusRecord::SetCallback(void* data, StatusCallback function) {
    userData = data;
    callback = function;
}
