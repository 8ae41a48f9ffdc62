#include "host/host_bridge.h"

#include <cstdio>
#include <vector>

#include "moa/host_abi_choices.h"

namespace {

// A single text element is read into at most this many bytes.
constexpr std::size_t kTextElementBytes = 15360;

// Appends "<piece>" at buffer + *position, cut to what fits before the
// terminator; the position moves by what was written.
void AppendBracketed(const char* piece, char* buffer, std::size_t capacity, std::size_t* position) {
    if (*position + 1 >= capacity) {
        return;
    }
    const std::size_t room = capacity - *position;
    const int wanted = std::snprintf(buffer + *position, room, "<%s>", piece);
    if (wanted > 0) {
        *position += static_cast<std::size_t>(wanted) < room ? static_cast<std::size_t>(wanted) : room - 1;
    }
}

void AppendTextElement(IMoaMmValue* values, const MoaMmValue* value, char* buffer, std::size_t capacity,
                       std::size_t* position) {
    std::vector<char> text(kTextElementBytes, '\0');
    if (values->ValueToString(value, text.data(), static_cast<MoaLong>(text.size())) != kMoaErr_NoErr) {
        return;
    }
    text.back() = '\0';
    AppendBracketed(text.data(), buffer, capacity, position);
}

}  // namespace

StatusRecord HostBridge::FormatValue(const MoaMmValue* value, char* buffer, std::size_t capacity,
                                     std::size_t* position) {
    MoaMmValueType type = kMoaMmValueType_Void;
    if (value_->ValueType(value, &type) != kMoaErr_NoErr) {
        return StatusRecord();
    }
    switch (type) {
        case kMoaMmValueType_Integer: {
            MoaLong integer = 0;
            if (value_->ValueToInteger(value, &integer) == kMoaErr_NoErr) {
                char digits[16];
                std::snprintf(digits, sizeof digits, "%d", static_cast<int>(integer));
                AppendBracketed(digits, buffer, capacity, position);
            }
            break;
        }
        case kMoaMmValueType_String:
            AppendTextElement(value_, value, buffer, capacity, position);
            break;
        case kMoaMmValueType_List:
        case kMoaMmValueType_PropList: {
            // Only the values of a property list appear, not its names.
            const MoaLong count = list_->CountElements(value);
            for (MoaLong offset = 0; offset < count; ++offset) {
                MoaMmValue element = {};
                if (list_->GetValueByIndex(value, moa_choice::kFirstListPosition + offset, &element) != kMoaErr_NoErr) {
                    continue;
                }
                FormatValue(&element, buffer, capacity, position);
                if (moa_choice::kCopiedValuesAreReleasedByCaller) {
                    value_->ValueRelease(&element);
                }
            }
            break;
        }
        default:
            break;
    }
    return StatusRecord();
}
