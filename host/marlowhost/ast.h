// The parsed form of a movie script: handlers made of statements made of
// expressions. Every node keeps its source line for error messages.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "lingo_value.h"

namespace lingo {

enum class ExprKind {
    Literal,       // literal
    Variable,      // name
    Unary,         // op ("-" or "not"), operands[0]
    Binary,        // op, operands[0], operands[1]
    ListLiteral,   // operands: the items
    PropLiteral,   // operands: property, value, property, value, ...
    Call,          // name(operands) or the command form `name operands`
    MethodCall,    // operands[0].name(operands[1...])
    Index,         // operands[0][operands[1]]
    TheProperty,   // the name
    XtraRef,       // xtra operands[0]
};

struct Expr {
    ExprKind kind;
    int line;
    std::string name;  // variable, handler, method or property name; operator
    Value literal;
    std::vector<std::unique_ptr<Expr>> operands;
};
using ExprPtr = std::unique_ptr<Expr>;

struct Stmt;
using Block = std::vector<std::unique_ptr<Stmt>>;

enum class StmtKind {
    Put,          // expr
    Assign,       // name = expr
    If,           // conditions[i] with blocks[i]; one block more is the else part
    RepeatWhile,  // expr, blocks[0]
    RepeatWith,   // name = expr to limit (downward when down), blocks[0]
    ExitRepeat,
    NextRepeat,
    Return,       // expr or none
    Exit,
    Global,       // names
    Call,         // expr, a call whose result is dropped
};

struct Stmt {
    StmtKind kind;
    int line;
    std::string name;
    std::vector<std::string> names;
    ExprPtr expr;
    ExprPtr limit;
    bool down = false;
    std::vector<ExprPtr> conditions;
    std::vector<Block> blocks;
};

struct Handler {
    std::string name;
    std::vector<std::string> params;
    Block body;
    int line;
};

struct Script {
    std::vector<Handler> handlers;
    std::vector<std::string> globals;  // declared outside every handler: global in all of them
};

}  // namespace lingo
