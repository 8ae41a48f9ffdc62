// Runs the handlers of a parsed movie script: variables, globals,
// statements, calls of handlers, built-ins and Xtra methods.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ast.h"
#include "host_environment.h"

namespace lingo {

struct Limits {
    // Statements and idle ticks a run may take: an endless loop ends with
    // a message instead of hanging the host.
    int64_t steps = 1000000;
    // Handler calls nested in one another, also through the Xtra.
    int depth = 100;
};

class Evaluator : public MovieHandlers {
public:
    Evaluator(const Script& script, HostEnvironment& host, Limits limits = Limits());
    // The run is over: lists that hold themselves are emptied so that they go.
    ~Evaluator() override;

    bool HasHandler(const std::string& name) const override;
    Value CallHandler(const std::string& name, const std::vector<Value>& arguments, int line) override;
    // Drops every global, so that the objects they hold can go.
    void ClearGlobals();

private:
    struct Frame {
        std::map<std::string, Value> locals;
        std::set<std::string> globals;
        Value result;
    };
    enum class Flow { Normal, ExitRepeat, NextRepeat, ExitHandler };

    const Handler* FindHandler(const std::string& name) const;
    void CountStep(int line);

    Flow RunBlock(const Block& block, Frame& frame);
    Flow RunStatement(const Stmt& stmt, Frame& frame);
    Flow RunIf(const Stmt& stmt, Frame& frame);
    Flow RunRepeatWhile(const Stmt& stmt, Frame& frame);
    Flow RunRepeatWith(const Stmt& stmt, Frame& frame);

    Value Evaluate(const Expr& expr, Frame& frame);
    Value EvaluateLogic(const Expr& expr, Frame& frame);
    Value EvaluateCall(const Expr& expr, Frame& frame);
    Value EvaluateMethodCall(const Expr& expr, Frame& frame);
    std::vector<Value> EvaluateAll(const std::vector<ExprPtr>& operands, size_t first, Frame& frame);
    bool CallHostBuiltin(const std::string& name, const std::vector<Value>& arguments, int line, Value& result);

    Value ReadVariable(const std::string& name, Frame& frame, int line);
    void WriteVariable(const std::string& name, Value value, Frame& frame);
    bool IsGlobalIn(const std::string& key, const Frame& frame) const;

    const Script& script_;
    HostEnvironment& host_;
    Limits limits_;
    std::map<std::string, Value> globals_;
    std::set<std::string> scriptGlobals_;
    int64_t steps_ = 0;
    int depth_ = 0;
};

}  // namespace lingo
