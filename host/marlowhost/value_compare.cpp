#include "value_compare.h"

#include "names.h"
#include "script_error.h"
#include "value_display.h"

namespace lingo {

namespace {

// Lists that hold themselves must not be compared forever.
constexpr int kDeepestComparedList = 32;

bool Equal(const Value& a, const Value& b, int depth) {
    if (a.IsNumber() && b.IsNumber()) return a.AsFloat() == b.AsFloat();
    if (a.Kind() != b.Kind()) return false;
    switch (a.Kind()) {
    case ValueKind::Void: return true;
    case ValueKind::String:
    case ValueKind::Symbol:
    case ValueKind::Xtra: return SameName(a.Text(), b.Text());
    case ValueKind::Object: return a.ObjectRef() == b.ObjectRef();
    case ValueKind::List: {
        if (&a.List() == &b.List()) return true;
        if (depth >= kDeepestComparedList || a.List().size() != b.List().size()) return false;
        for (size_t i = 0; i < a.List().size(); ++i) {
            if (!Equal(a.List()[i], b.List()[i], depth + 1)) return false;
        }
        return true;
    }
    case ValueKind::PropList: {
        if (&a.Props() == &b.Props()) return true;
        if (depth >= kDeepestComparedList || a.Props().size() != b.Props().size()) return false;
        for (size_t i = 0; i < a.Props().size(); ++i) {
            if (!Equal(a.Props()[i].first, b.Props()[i].first, depth + 1) ||
                !Equal(a.Props()[i].second, b.Props()[i].second, depth + 1)) {
                return false;
            }
        }
        return true;
    }
    default: return false;
    }
}

}  // namespace

bool ValuesEqual(const Value& a, const Value& b) { return Equal(a, b, 0); }

int CompareValues(const Value& a, const Value& b, int line) {
    if (a.IsNumber() && b.IsNumber()) {
        double x = a.AsFloat();
        double y = b.AsFloat();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (a.Kind() == ValueKind::String && b.Kind() == ValueKind::String) return CompareWithoutCase(a.Text(), b.Text());
    throw ScriptError(line, "Script error: cannot compare " + DisplayForm(a) + " with " + DisplayForm(b));
}

}  // namespace lingo
