#include "host/property_list_builder.h"

PropertyListBuilder::PropertyListBuilder(IMoaCallback* callback, MoaMmValue* target)
    : bridge_(callback, false), target_(target) {
    bridge_.NewList(target_);
}

PropertyListBuilder::~PropertyListBuilder() {
    if (hasPropertyList_) {
        bridge_.AppendToList(target_, &propertyList_);
        bridge_.Release(&propertyList_);
        hasPropertyList_ = false;
    }
}

void PropertyListBuilder::AppendInteger(const char* name, int32_t value) {
    MakePropertyListOnce();
    bridge_.AddIntegerProperty(&propertyList_, name, value);
}

void PropertyListBuilder::AppendText(const char* name, const char* text) {
    MakePropertyListOnce();
    bridge_.AddTextProperty(&propertyList_, name, text);
}

void PropertyListBuilder::MakePropertyListOnce() {
    if (!hasPropertyList_) {
        bridge_.NewPropertyList(&propertyList_);
        hasPropertyList_ = true;
    }
}
