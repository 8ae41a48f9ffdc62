// The movie's Lingo handlers as the host sees them: defined by name (any
// case) by a test or the interpreter, called by CallHandler of the player
// or the movie. Every call that reaches a handler is recorded.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "value_store.h"

namespace marlowhost {

class MovieContext;

// Receives the arguments borrowed (AddRef one to keep it) and answers the
// handler's result, which passes to the caller (Void for none).
using MovieHandler = std::function<MoaMmValue(const std::vector<MoaMmValue>& arguments)>;

struct HandlerCall {
    std::string name;                    // as the handler was defined
    std::vector<std::string> arguments;  // LingoText of each argument
    bool insideContext = false;          // made between PushXtraContext and PopXtraContext of the playing movie
};

class MovieHandlers {
public:
    MovieHandlers(ValueStore& store, const MovieContext& context) : store_(store), context_(&context) {}

    // After `go to movie`: a call counts as inside the context when this one is pushed.
    void UseContext(const MovieContext& context) { context_ = &context; }

    void Define(const std::string& name, MovieHandler handler);
    void Remove(const std::string& name);
    bool IsDefined(const std::string& name) const;

    // A missing handler answers kMissingHandler and is recorded as no call.
    // result may be null; it is Void until the handler answers.
    MoaError Call(MoaMmSymbol name, MoaLong nargs, const MoaMmValue* args, MoaMmValue* result);
    MoaError Call(const std::string& name, MoaLong nargs, const MoaMmValue* args, MoaMmValue* result);

    const std::vector<HandlerCall>& Calls() const { return calls_; }
    // Names asked for that no handler answered, in order.
    const std::vector<std::string>& MissingCalls() const { return missing_; }
    // The recorded calls of one handler (any case).
    std::vector<HandlerCall> CallsOf(const std::string& name) const;
    void ClearRecords();

private:
    struct Definition {
        std::string name;
        MovieHandler handler;
    };
    ValueStore& store_;
    const MovieContext* context_;
    std::map<std::string, Definition> byFoldedName_;
    std::vector<HandlerCall> calls_;
    std::vector<std::string> missing_;
};

}  // namespace marlowhost
