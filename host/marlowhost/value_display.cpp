#include "value_display.h"

#include <cmath>
#include <cstdio>

namespace lingo {

namespace {

// A list that holds itself would otherwise be shown forever.
constexpr int kDeepestShownList = 32;

void AppendDisplay(const Value& value, int depth, std::string& out);

void AppendListItems(const Value& list, int depth, std::string& out) {
    const LinearList& items = list.List();
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out += ", ";
        AppendDisplay(items[i], depth + 1, out);
    }
}

void AppendPropItems(const Value& list, int depth, std::string& out) {
    const PropertyList& items = list.Props();
    if (items.empty()) {
        out += ':';
        return;
    }
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out += ", ";
        AppendDisplay(items[i].first, depth + 1, out);
        out += ": ";
        AppendDisplay(items[i].second, depth + 1, out);
    }
}

void AppendDisplay(const Value& value, int depth, std::string& out) {
    switch (value.Kind()) {
    case ValueKind::Void: out += "<Void>"; return;
    case ValueKind::Integer: out += std::to_string(value.AsInteger()); return;
    case ValueKind::Float: out += FloatText(value.AsFloat()); return;
    case ValueKind::String: out += '"' + value.Text() + '"'; return;
    case ValueKind::Symbol: out += '#' + value.Text(); return;
    case ValueKind::Xtra: out += "<Xtra \"" + value.Text() + "\">"; return;
    case ValueKind::Object: out += '<' + value.ObjectRef()->ClassName() + " object>"; return;
    case ValueKind::List:
    case ValueKind::PropList:
        if (depth >= kDeepestShownList) {
            out += "[...]";
            return;
        }
        out += '[';
        if (value.Kind() == ValueKind::List) {
            AppendListItems(value, depth, out);
        } else {
            AppendPropItems(value, depth, out);
        }
        out += ']';
        return;
    }
}

}  // namespace

std::string FloatText(double number) {
    if (std::isnan(number)) return "NAN";
    if (std::isinf(number)) return number < 0 ? "-INF" : "INF";
    char text[400];
    std::snprintf(text, sizeof text, "%.4f", number);
    return text;
}

std::string DisplayForm(const Value& value) {
    std::string out;
    AppendDisplay(value, 0, out);
    return out;
}

std::string StringForm(const Value& value) {
    switch (value.Kind()) {
    case ValueKind::Void: return "";
    case ValueKind::String:
    case ValueKind::Symbol: return value.Text();
    default: return DisplayForm(value);
    }
}

}  // namespace lingo
