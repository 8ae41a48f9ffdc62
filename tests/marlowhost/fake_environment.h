// A host for interpreter tests: records the transcript, keeps a clock that
// idle advances, and offers one object class with the methods "Ping" and
// "Echo" whose releases can be counted.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "evaluator.h"
#include "host_environment.h"
#include "names.h"
#include "parser.h"
#include "script_error.h"
#include "value_display.h"

namespace marlowhost_test {

class FakeObject : public lingo::ScriptObject {
public:
    std::string ClassName() const override { return "Fake"; }
};

class FakeEnvironment : public lingo::HostEnvironment {
public:
    void PrintLine(const std::string& line) override { lines.push_back(line); }
    void ShowMeter(int32_t left, int32_t right) override {
        lines.push_back("meter " + std::to_string(left) + " " + std::to_string(right));
    }
    lingo::Value NewObject(const std::string& xtraName, const std::vector<lingo::Value>&, int line) override {
        if (!lingo::SameName(xtraName, "Fake")) throw lingo::ScriptError(line, "Script error: no xtra " + xtraName);
        ++made;
        FakeEnvironment* self = this;
        return lingo::Value::Object(std::shared_ptr<FakeObject>(new FakeObject, [self](FakeObject* object) {
            ++self->dropped;
            delete object;
        }));
    }
    bool HasMethod(const lingo::ScriptObject&, const std::string& method) override {
        return lingo::SameName(method, "Ping") || lingo::SameName(method, "Echo");
    }
    lingo::Value CallMethod(const std::string& method, const std::vector<lingo::Value>& arguments, int) override {
        if (lingo::SameName(method, "Ping")) return lingo::Value::String("pong");
        return lingo::Value::Integer(static_cast<int32_t>(arguments.size()));
    }
    void ReleaseDroppedObjects() override { released = dropped; }
    int32_t Milliseconds() override { return clock; }
    void IdleTick(int32_t milliseconds) override {
        clock += milliseconds;
        ++ticks;
    }
    lingo::Value MemberInfo(const std::string&, int32_t) override { return lingo::Value(); }

    std::vector<std::string> lines;
    int made = 0;
    int dropped = 0;
    int released = 0;
    int32_t clock = 1000;
    int ticks = 0;
};

// Runs on startMovie; the transcript lines joined with "\n", or, after a
// script error, the lines so far then "LINE: message".
inline std::string RunScript(const std::string& source, FakeEnvironment& host, lingo::Limits limits = lingo::Limits()) {
    std::string out;
    try {
        lingo::Script script = lingo::ParseScript(source);
        lingo::Evaluator evaluator(script, host, limits);
        try {
            evaluator.CallHandler("startMovie", {}, 1);
        } catch (const lingo::ScriptError&) {
            for (const std::string& line : host.lines) out += line + "\n";
            throw;
        }
    } catch (const lingo::ScriptError& error) {
        return out + std::to_string(error.Line()) + ": " + error.what();
    }
    for (size_t i = 0; i < host.lines.size(); ++i) out += (i ? "\n" : "") + host.lines[i];
    return out;
}

inline std::string RunScript(const std::string& source) {
    FakeEnvironment host;
    return RunScript(source, host);
}

// The display form of one expression.
inline std::string Show(const std::string& expression) {
    return RunScript("on startMovie\n put " + expression + "\nend\n");
}

}  // namespace marlowhost_test
