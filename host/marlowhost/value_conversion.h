// Script values to host values and back, for the arguments and results of
// Xtra methods and of the handlers the Xtra calls. Texts, symbols included,
// cross in the encoding of the Director played.
#pragma once

#include <functional>

#include "director_text.h"
#include "lingo_value.h"
#include "value_store.h"

namespace marlowhost {

// A new host value with one reference, the caller's. Property names become
// symbols. Throws ScriptError (line) for a list that holds itself and for
// text that is not UTF-8.
MoaMmValue ToHostValue(ValueStore& store, const DirectorText& text, const lingo::Value& value, int line);

// The script's object for a host object value (VOID when it is none of the
// script's objects). Throws ScriptError (line) for text that is not of the
// host's encoding.
using ObjectFinder = std::function<lingo::Value(const MoaMmValue& object)>;
lingo::Value FromHostValue(const ValueStore& store, const DirectorText& text, const MoaMmValue& value,
                           const ObjectFinder& findObject, int line);

}  // namespace marlowhost
