#include "evaluator.h"

#include <cmath>

#include "builtins.h"
#include "names.h"
#include "operators.h"
#include "script_error.h"
#include "value_display.h"

namespace lingo {

namespace {

// idle(ms) lets time pass in ticks of this length, one idle notification
// each, as Director's idle loop does at 60 frames a second.
constexpr int32_t kIdleTickMilliseconds = 16;

[[noreturn]] void Fail(int line, const std::string& message) { throw ScriptError(line, "Script error: " + message); }

int32_t IntegerArgument(const std::string& function, const Value& value, int line) {
    if (value.Kind() == ValueKind::Integer) return value.AsInteger();
    if (value.Kind() == ValueKind::Float && std::fabs(value.AsFloat()) < 2147483647.0) {
        return static_cast<int32_t>(std::lround(value.AsFloat()));
    }
    Fail(line, function + " needs a number, not " + DisplayForm(value));
}

}  // namespace

Evaluator::Evaluator(const Script& script, HostEnvironment& host, Limits limits)
    : script_(script), host_(host), limits_(limits) {
    for (const std::string& name : script.globals) scriptGlobals_.insert(FoldCase(name));
}

Evaluator::~Evaluator() {
    Value::EmptyAllLists();
}

const Handler* Evaluator::FindHandler(const std::string& name) const {
    for (const Handler& handler : script_.handlers) {
        if (SameName(handler.name, name)) return &handler;
    }
    return nullptr;
}

bool Evaluator::HasHandler(const std::string& name) const { return FindHandler(name) != nullptr; }

void Evaluator::ClearGlobals() {
    globals_.clear();
    host_.ReleaseDroppedObjects();
}

void Evaluator::CountStep(int line) {
    if (++steps_ > limits_.steps) {
        Fail(line, "step limit reached after " + std::to_string(limits_.steps) +
                       " statements and idle ticks (an endless loop?)");
    }
}

Value Evaluator::CallHandler(const std::string& name, const std::vector<Value>& arguments, int line) {
    const Handler* handler = FindHandler(name);
    if (!handler) Fail(line, "Handler not defined: " + name);
    if (depth_ >= limits_.depth) {
        Fail(line, "handlers nested too deeply (more than " + std::to_string(limits_.depth) + " calls in one another)");
    }
    struct DepthGuard {
        int& depth;
        explicit DepthGuard(int& d) : depth(d) { ++depth; }
        ~DepthGuard() { --depth; }
    } guard(depth_);

    Frame frame;
    for (size_t i = 0; i < handler->params.size(); ++i) {
        frame.locals[FoldCase(handler->params[i])] = i < arguments.size() ? arguments[i] : Value();
    }
    RunBlock(handler->body, frame);
    return frame.result;
}

// ---- statements -------------------------------------------------------------

Evaluator::Flow Evaluator::RunBlock(const Block& block, Frame& frame) {
    for (const auto& stmt : block) {
        Flow flow = RunStatement(*stmt, frame);
        host_.ReleaseDroppedObjects();
        if (flow != Flow::Normal) return flow;
    }
    return Flow::Normal;
}

Evaluator::Flow Evaluator::RunStatement(const Stmt& stmt, Frame& frame) {
    CountStep(stmt.line);
    switch (stmt.kind) {
    case StmtKind::Put: host_.PrintLine("-- " + DisplayForm(Evaluate(*stmt.expr, frame))); return Flow::Normal;
    case StmtKind::Assign: WriteVariable(stmt.name, Evaluate(*stmt.expr, frame), frame); return Flow::Normal;
    case StmtKind::If: return RunIf(stmt, frame);
    case StmtKind::RepeatWhile: return RunRepeatWhile(stmt, frame);
    case StmtKind::RepeatWith: return RunRepeatWith(stmt, frame);
    case StmtKind::ExitRepeat: return Flow::ExitRepeat;
    case StmtKind::NextRepeat: return Flow::NextRepeat;
    case StmtKind::Return:
        frame.result = stmt.expr ? Evaluate(*stmt.expr, frame) : Value();
        return Flow::ExitHandler;
    case StmtKind::Exit: return Flow::ExitHandler;
    case StmtKind::Global:
        for (const std::string& name : stmt.names) frame.globals.insert(FoldCase(name));
        return Flow::Normal;
    case StmtKind::Call: Evaluate(*stmt.expr, frame); return Flow::Normal;
    }
    return Flow::Normal;
}

Evaluator::Flow Evaluator::RunIf(const Stmt& stmt, Frame& frame) {
    for (size_t i = 0; i < stmt.conditions.size(); ++i) {
        if (IsTrue(Evaluate(*stmt.conditions[i], frame), stmt.conditions[i]->line)) return RunBlock(stmt.blocks[i], frame);
    }
    if (stmt.blocks.size() > stmt.conditions.size()) return RunBlock(stmt.blocks.back(), frame);
    return Flow::Normal;
}

Evaluator::Flow Evaluator::RunRepeatWhile(const Stmt& stmt, Frame& frame) {
    while (IsTrue(Evaluate(*stmt.expr, frame), stmt.line)) {
        Flow flow = RunBlock(stmt.blocks[0], frame);
        if (flow == Flow::ExitRepeat) break;
        if (flow == Flow::ExitHandler) return flow;
        CountStep(stmt.line);
    }
    return Flow::Normal;
}

Evaluator::Flow Evaluator::RunRepeatWith(const Stmt& stmt, Frame& frame) {
    Value first = Evaluate(*stmt.expr, frame);
    Value limit = Evaluate(*stmt.limit, frame);
    if (first.Kind() != ValueKind::Integer || limit.Kind() != ValueKind::Integer) {
        Fail(stmt.line, "repeat with needs integers, not " + DisplayForm(first) + " and " + DisplayForm(limit));
    }
    int64_t step = stmt.down ? -1 : 1;
    int64_t counter = first.AsInteger();
    while (stmt.down ? counter >= limit.AsInteger() : counter <= limit.AsInteger()) {
        WriteVariable(stmt.name, Value::Integer(static_cast<int32_t>(counter)), frame);
        Flow flow = RunBlock(stmt.blocks[0], frame);
        if (flow == Flow::ExitRepeat) break;
        if (flow == Flow::ExitHandler) return flow;
        CountStep(stmt.line);
        // The body may change the counter, as in Lingo.
        Value current = ReadVariable(stmt.name, frame, stmt.line);
        if (current.Kind() != ValueKind::Integer) Fail(stmt.line, "the counter of repeat with is no longer an integer");
        counter = static_cast<int64_t>(current.AsInteger()) + step;
    }
    return Flow::Normal;
}

// ---- variables ----------------------------------------------------------------

bool Evaluator::IsGlobalIn(const std::string& key, const Frame& frame) const {
    return frame.globals.count(key) > 0 || scriptGlobals_.count(key) > 0;
}

Value Evaluator::ReadVariable(const std::string& name, Frame& frame, int line) {
    std::string key = FoldCase(name);
    if (IsGlobalIn(key, frame)) {
        auto found = globals_.find(key);
        return found == globals_.end() ? Value() : found->second;
    }
    auto found = frame.locals.find(key);
    if (found == frame.locals.end()) Fail(line, "Variable used before assigned a value: " + name);
    return found->second;
}

void Evaluator::WriteVariable(const std::string& name, Value value, Frame& frame) {
    std::string key = FoldCase(name);
    if (IsGlobalIn(key, frame)) {
        globals_[key] = std::move(value);
    } else {
        frame.locals[key] = std::move(value);
    }
}

// ---- expressions ----------------------------------------------------------------

Value Evaluator::Evaluate(const Expr& expr, Frame& frame) {
    switch (expr.kind) {
    case ExprKind::Literal: return expr.literal;
    case ExprKind::Variable: return ReadVariable(expr.name, frame, expr.line);
    case ExprKind::Unary: return ApplyUnary(expr.name, Evaluate(*expr.operands[0], frame), expr.line);
    case ExprKind::Binary: {
        if (expr.name == "and" || expr.name == "or") return EvaluateLogic(expr, frame);
        Value left = Evaluate(*expr.operands[0], frame);
        Value right = Evaluate(*expr.operands[1], frame);
        return ApplyBinary(expr.name, left, right, expr.line);
    }
    case ExprKind::ListLiteral: return Value::NewList(EvaluateAll(expr.operands, 0, frame));
    case ExprKind::PropLiteral: {
        PropertyList items;
        for (size_t i = 0; i + 1 < expr.operands.size(); i += 2) {
            Value property = Evaluate(*expr.operands[i], frame);
            items.emplace_back(std::move(property), Evaluate(*expr.operands[i + 1], frame));
        }
        return Value::NewPropList(std::move(items));
    }
    case ExprKind::Call: return EvaluateCall(expr, frame);
    case ExprKind::MethodCall: return EvaluateMethodCall(expr, frame);
    case ExprKind::Index: {
        Value list = Evaluate(*expr.operands[0], frame);
        return IndexValue(list, Evaluate(*expr.operands[1], frame), expr.line);
    }
    case ExprKind::TheProperty:
        if (SameName(expr.name, "milliseconds")) return Value::Integer(host_.Milliseconds());
        Fail(expr.line, "unknown property: the " + expr.name);
    case ExprKind::XtraRef: {
        Value name = Evaluate(*expr.operands[0], frame);
        if (name.Kind() != ValueKind::String) Fail(expr.line, "xtra needs the name of an xtra, not " + DisplayForm(name));
        return Value::XtraName(name.Text());
    }
    }
    return Value();
}

// and, or: the right side is evaluated only when it decides the result.
Value Evaluator::EvaluateLogic(const Expr& expr, Frame& frame) {
    bool left = IsTrue(Evaluate(*expr.operands[0], frame), expr.line);
    if (expr.name == "and" && !left) return Truth(false);
    if (expr.name == "or" && left) return Truth(true);
    return Truth(IsTrue(Evaluate(*expr.operands[1], frame), expr.line));
}

std::vector<Value> Evaluator::EvaluateAll(const std::vector<ExprPtr>& operands, size_t first, Frame& frame) {
    std::vector<Value> values;
    for (size_t i = first; i < operands.size(); ++i) values.push_back(Evaluate(*operands[i], frame));
    return values;
}

Value Evaluator::EvaluateCall(const Expr& expr, Frame& frame) {
    std::vector<Value> arguments = EvaluateAll(expr.operands, 0, frame);
    const std::string& name = expr.name;
    bool objectFirst = !arguments.empty() && arguments[0].Kind() == ValueKind::Object;

    if (SameName(name, "new") && !arguments.empty() && arguments[0].Kind() == ValueKind::Xtra) {
        std::vector<Value> rest(arguments.begin() + 1, arguments.end());
        return host_.NewObject(arguments[0].Text(), rest, expr.line);
    }
    if (objectFirst && host_.HasMethod(*arguments[0].ObjectRef(), name)) {
        return host_.CallMethod(name, arguments, expr.line);
    }
    if (HasHandler(name)) return CallHandler(name, arguments, expr.line);
    if (IsBuiltin(name)) return CallBuiltin(name, arguments, expr.line);
    Value result;
    if (CallHostBuiltin(name, arguments, expr.line, result)) return result;
    if (objectFirst) Fail(expr.line, "no method " + name);
    Fail(expr.line, "Handler not defined: " + name);
}

Value Evaluator::EvaluateMethodCall(const Expr& expr, Frame& frame) {
    std::vector<Value> arguments = EvaluateAll(expr.operands, 0, frame);
    if (arguments[0].Kind() != ValueKind::Object) {
        Fail(expr.line, "." + expr.name + "() needs an object, not " + DisplayForm(arguments[0]));
    }
    if (!host_.HasMethod(*arguments[0].ObjectRef(), expr.name)) Fail(expr.line, "no method " + expr.name);
    return host_.CallMethod(expr.name, arguments, expr.line);
}

bool Evaluator::CallHostBuiltin(const std::string& name, const std::vector<Value>& arguments, int line, Value& result) {
    if (SameName(name, "idle")) {
        if (arguments.size() != 1) Fail(line, "idle needs 1 argument");
        const int32_t wanted = IntegerArgument("idle", arguments[0], line);
        if (wanted < 0) Fail(line, "idle needs 0 or more milliseconds, not " + std::to_string(wanted));
        const uint32_t began = static_cast<uint32_t>(host_.Milliseconds());
        int32_t remaining = wanted;
        do {
            int32_t tick = remaining < kIdleTickMilliseconds ? remaining : kIdleTickMilliseconds;
            CountStep(line);
            host_.IdleTick(tick);
            remaining -= tick;
            // The clock the movie reads may lag the sleeps (Wine's tick count
            // in a busy emulated machine did): idle lasts until it shows the time.
            if (remaining <= 0) {
                const auto passed = static_cast<int32_t>(static_cast<uint32_t>(host_.Milliseconds()) - began);
                remaining = wanted - passed;
            }
        } while (remaining > 0);
        result = Value();
        return true;
    }
    if (SameName(name, "memberInfo")) {
        if (arguments.empty() || arguments.size() > 2) Fail(line, "memberInfo needs a name and, if you like, a castLib");
        if (arguments[0].Kind() != ValueKind::String) Fail(line, "memberInfo needs a member name, not " + DisplayForm(arguments[0]));
        int32_t castLib = arguments.size() == 2 ? IntegerArgument("memberInfo", arguments[1], line) : 1;
        result = host_.MemberInfo(arguments[0].Text(), castLib);
        return true;
    }
    if (SameName(name, "simulate")) {
        host_.Simulate(arguments, line);
        result = Value();
        return true;
    }
    if (SameName(name, "meter")) {
        if (arguments.size() != 2) Fail(line, "meter needs 2 arguments");
        host_.ShowMeter(IntegerArgument("meter", arguments[0], line), IntegerArgument("meter", arguments[1], line));
        result = Value();
        return true;
    }
    return false;
}

}  // namespace lingo
