#include "lingo_value.h"

namespace lingo {

Value Value::Integer(int32_t number) {
    Value value;
    value.kind_ = ValueKind::Integer;
    value.integer_ = number;
    return value;
}

Value Value::Float(double number) {
    Value value;
    value.kind_ = ValueKind::Float;
    value.float_ = number;
    return value;
}

Value Value::String(std::string text) {
    Value value;
    value.kind_ = ValueKind::String;
    value.text_ = std::move(text);
    return value;
}

Value Value::Symbol(std::string name) {
    Value value;
    value.kind_ = ValueKind::Symbol;
    value.text_ = std::move(name);
    return value;
}

Value Value::NewList(LinearList items) {
    Value value;
    value.kind_ = ValueKind::List;
    value.list_ = std::make_shared<LinearList>(std::move(items));
    return value;
}

Value Value::NewPropList(PropertyList items) {
    Value value;
    value.kind_ = ValueKind::PropList;
    value.props_ = std::make_shared<PropertyList>(std::move(items));
    return value;
}

Value Value::Object(std::shared_ptr<ScriptObject> object) {
    Value value;
    value.kind_ = ValueKind::Object;
    value.object_ = std::move(object);
    return value;
}

Value Value::XtraName(std::string name) {
    Value value;
    value.kind_ = ValueKind::Xtra;
    value.text_ = std::move(name);
    return value;
}

}  // namespace lingo
