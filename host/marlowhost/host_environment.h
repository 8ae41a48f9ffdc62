// What the interpreter needs from the program around it: the Xtra, the
// clock, the cast, and the transcript. marlowhost binds it to the loaded
// Xtra; the interpreter's tests bind it to a fake.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lingo_value.h"
#include "script_error.h"

namespace lingo {

class HostEnvironment {
public:
    virtual ~HostEnvironment() = default;

    // One line of the transcript, such as "-- 5" from put.
    virtual void PrintLine(const std::string& line) = 0;
    // The live level bar of meter(left, right).
    virtual void ShowMeter(int32_t left, int32_t right) = 0;

    // new(xtra "NAME", args...); throws ScriptError (line) when it cannot.
    virtual Value NewObject(const std::string& xtraName, const std::vector<Value>& args, int line) = 0;
    virtual bool HasMethod(const ScriptObject& object, const std::string& method) = 0;
    // arguments[0] is the object itself.
    virtual Value CallMethod(const std::string& method, const std::vector<Value>& arguments, int line) = 0;
    // Objects whose last reference went since the last call are forgotten
    // now, between statements, so that what the Xtra does then (flow lines,
    // handler calls) happens at a well-defined place.
    virtual void ReleaseDroppedObjects() = 0;

    virtual int32_t Milliseconds() = 0;
    // One idle notification after time has passed for `milliseconds`.
    virtual void IdleTick(int32_t milliseconds) = 0;
    // VOID or the property list describing a Sound member.
    virtual Value MemberInfo(const std::string& name, int32_t castLib) = 0;
    // simulate(...): tells the simulated machine something mid-run.
    virtual void Simulate(const std::vector<Value>&, int line) {
        throw ScriptError(line, "Script error: simulate needs the simulated machine of marlowhost");
    }
};

// The movie's handlers, as the Xtra reaches them through the player.
class MovieHandlers {
public:
    virtual ~MovieHandlers() = default;
    virtual bool HasHandler(const std::string& name) const = 0;
    // Throws ScriptError for a fault inside the handler.
    virtual Value CallHandler(const std::string& name, const std::vector<Value>& arguments, int line) = 0;
};

}  // namespace lingo
