#include "lingo_value.h"

#include <algorithm>
#include <memory>
#include <vector>

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

namespace {

template <typename List>
class ListRegistry {
public:
    void Remember(const std::shared_ptr<List>& list) {
        if (lists_.size() >= compactAt_) {
            lists_.erase(std::remove_if(lists_.begin(), lists_.end(),
                                        [](const std::weak_ptr<List>& held) { return held.expired(); }),
                         lists_.end());
            compactAt_ = 2 * lists_.size() + 1024;
        }
        lists_.push_back(list);
    }
    void EmptyAll() {
        std::vector<std::weak_ptr<List>> all;
        all.swap(lists_);
        for (const std::weak_ptr<List>& held : all) {
            if (std::shared_ptr<List> list = held.lock()) {
                List contents;
                contents.swap(*list);
            }
        }
        compactAt_ = 1024;
    }

private:
    std::vector<std::weak_ptr<List>> lists_;
    std::size_t compactAt_ = 1024;
};

ListRegistry<LinearList>& LinearLists() {
    static ListRegistry<LinearList> registry;
    return registry;
}

ListRegistry<PropertyList>& PropertyLists() {
    static ListRegistry<PropertyList> registry;
    return registry;
}

}  // namespace

void Value::EmptyAllLists() {
    LinearLists().EmptyAll();
    PropertyLists().EmptyAll();
}

Value Value::NewList(LinearList items) {
    Value value;
    value.kind_ = ValueKind::List;
    value.list_ = std::make_shared<LinearList>(std::move(items));
    LinearLists().Remember(value.list_);
    return value;
}

Value Value::NewPropList(PropertyList items) {
    Value value;
    value.kind_ = ValueKind::PropList;
    value.props_ = std::make_shared<PropertyList>(std::move(items));
    PropertyLists().Remember(value.props_);
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
