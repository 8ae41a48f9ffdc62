// Script values to host values and back, for the arguments and results of
// Xtra methods and of the handlers the Xtra calls.
#pragma once

#include <functional>

#include "lingo_value.h"
#include "value_store.h"

namespace marlowhost {

// A new host value with one reference, the caller's. Property names become
// symbols. Throws ScriptError (line) for a list that holds itself.
MoaMmValue ToHostValue(ValueStore& store, const lingo::Value& value, int line);

// The script's object for a host object value (VOID when it is none of the
// script's objects).
using ObjectFinder = std::function<lingo::Value(const MoaMmValue& object)>;
lingo::Value FromHostValue(const ValueStore& store, const MoaMmValue& value, const ObjectFinder& findObject);

}  // namespace marlowhost
