#include "parser.h"

#include <cerrno>
#include <cstdlib>
#include <utility>

#include "lexer.h"
#include "names.h"
#include "script_error.h"

namespace lingo {

namespace {

// Deeper nesting than this is no script a person wrote; it would only
// exhaust the stack of the parser.
constexpr int kDeepestNesting = 200;

const char* const kReservedWords[] = {
    "on", "end", "if", "then", "else", "repeat", "while", "with", "to", "exit", "return",
    "put", "set", "global", "next", "the", "xtra", "and", "or", "not", "mod",
    "void", "true", "false", "empty", "quote",
};

bool IsReserved(const std::string& name) {
    for (const char* word : kReservedWords) {
        if (SameName(name, word)) return true;
    }
    return false;
}

class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

    Script Run() {
        Script script;
        while (Peek().kind != TokenKind::EndOfScript) {
            if (AcceptEndOfLine()) continue;
            if (AcceptWord("on")) {
                script.handlers.push_back(ParseHandler(script));
            } else if (AcceptWord("global")) {
                std::vector<std::string> names = ParseNameList();
                script.globals.insert(script.globals.end(), names.begin(), names.end());
                ExpectEndOfLine();
            } else {
                Fail("expected a handler (on name) or a global declaration");
            }
        }
        return script;
    }

private:
    // ---- tokens -----------------------------------------------------------
    const Token& Peek(size_t ahead = 0) const {
        size_t index = position_ + ahead;
        return index < tokens_.size() ? tokens_[index] : tokens_.back();
    }
    const Token& Take() {
        const Token& token = Peek();
        if (position_ < tokens_.size() - 1) ++position_;
        return token;
    }
    bool IsWord(const char* word, size_t ahead = 0) const {
        const Token& token = Peek(ahead);
        return token.kind == TokenKind::Identifier && SameName(token.text, word);
    }
    bool IsOperator(const char* op, size_t ahead = 0) const {
        const Token& token = Peek(ahead);
        return token.kind == TokenKind::Operator && token.text == op;
    }
    bool AcceptWord(const char* word) {
        if (!IsWord(word)) return false;
        Take();
        return true;
    }
    bool AcceptOperator(const char* op) {
        if (!IsOperator(op)) return false;
        Take();
        return true;
    }
    bool AcceptEndOfLine() {
        if (Peek().kind != TokenKind::EndOfLine) return false;
        Take();
        return true;
    }
    bool AtEndOfLine() const { return Peek().kind == TokenKind::EndOfLine; }

    static std::string Describe(const Token& token) {
        switch (token.kind) {
        case TokenKind::EndOfLine: return "the end of the line";
        case TokenKind::EndOfScript: return "the end of the script";
        case TokenKind::String: return "\"" + token.text + "\"";
        case TokenKind::Symbol: return "#" + token.text;
        default: return "'" + token.text + "'";
        }
    }
    [[noreturn]] void Fail(const std::string& what) const {
        throw ScriptError(Peek().line, "Script syntax error: " + what + ", found " + Describe(Peek()));
    }
    void ExpectWord(const char* word) {
        if (!AcceptWord(word)) Fail(std::string("expected '") + word + "'");
    }
    void ExpectOperator(const char* op) {
        if (!AcceptOperator(op)) Fail(std::string("expected '") + op + "'");
    }
    void ExpectEndOfLine() {
        if (!AcceptEndOfLine()) Fail("expected the end of the line");
    }
    std::string ExpectName(const char* what) {
        if (Peek().kind != TokenKind::Identifier || IsReserved(Peek().text)) Fail(std::string("expected ") + what);
        return Take().text;
    }
    std::vector<std::string> ParseNameList() {
        std::vector<std::string> names{ExpectName("a name")};
        while (AcceptOperator(",")) names.push_back(ExpectName("a name"));
        return names;
    }

    // Guards the recursion of nested blocks and expressions.
    class Nesting {
    public:
        explicit Nesting(Parser& parser) : parser_(parser) {
            if (++parser_.depth_ > kDeepestNesting) parser_.Fail("nested too deeply");
        }
        ~Nesting() { --parser_.depth_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        Parser& parser_;
    };

    // ---- handlers and blocks ------------------------------------------------
    Handler ParseHandler(const Script& script) {
        Handler handler;
        handler.line = Peek().line;
        handler.name = ExpectName("a handler name");
        for (const Handler& other : script.handlers) {
            if (SameName(other.name, handler.name)) Fail("handler " + handler.name + " is defined twice");
        }
        bool parenthesised = AcceptOperator("(");
        if (!AtEndOfLine() && !IsOperator(")")) handler.params = ParseNameList();
        if (parenthesised) ExpectOperator(")");
        ExpectEndOfLine();
        handler.body = ParseBlock();
        if (!AcceptWord("end")) Fail("expected 'end' of handler " + handler.name);
        if (!AtEndOfLine()) {
            std::string closing = ExpectName("the handler name after 'end'");
            if (!SameName(closing, handler.name)) {
                throw ScriptError(Peek().line, "Script syntax error: 'end " + closing + "' closes handler " + handler.name);
            }
        }
        ExpectEndOfLine();
        return handler;
    }

    // Statements up to a line that starts with 'end' or 'else'.
    Block ParseBlock() {
        Nesting nesting(*this);
        Block block;
        while (true) {
            if (AcceptEndOfLine()) continue;
            if (Peek().kind == TokenKind::EndOfScript || IsWord("end") || IsWord("else")) return block;
            if (IsWord("on")) Fail("expected 'end' before the next handler");
            block.push_back(ParseStatement());
        }
    }

    std::unique_ptr<Stmt> NewStmt(StmtKind kind, int line) {
        auto stmt = std::make_unique<Stmt>();
        stmt->kind = kind;
        stmt->line = line;
        return stmt;
    }

    std::unique_ptr<Stmt> ParseStatement() {
        int line = Peek().line;
        if (AcceptWord("if")) return ParseIf(line);
        if (AcceptWord("repeat")) return ParseRepeat(line);
        std::unique_ptr<Stmt> stmt = ParseSimpleStatement();
        ExpectEndOfLine();
        return stmt;
    }

    // A statement that fits on one line (also the body of a one-line if).
    std::unique_ptr<Stmt> ParseSimpleStatement() {
        int line = Peek().line;
        if (AcceptWord("put")) {
            auto stmt = NewStmt(StmtKind::Put, line);
            stmt->expr = ParseExpression();
            return stmt;
        }
        if (AcceptWord("set")) {
            auto stmt = NewStmt(StmtKind::Assign, line);
            stmt->name = ExpectName("a variable name after 'set'");
            if (!AcceptOperator("=") && !AcceptWord("to")) Fail("expected '=' or 'to'");
            stmt->expr = ParseExpression();
            return stmt;
        }
        if (AcceptWord("global")) {
            auto stmt = NewStmt(StmtKind::Global, line);
            stmt->names = ParseNameList();
            return stmt;
        }
        if (AcceptWord("exit")) {
            if (AcceptWord("repeat")) return NewStmt(StmtKind::ExitRepeat, line);
            return NewStmt(StmtKind::Exit, line);
        }
        if (AcceptWord("next")) {
            ExpectWord("repeat");
            return NewStmt(StmtKind::NextRepeat, line);
        }
        if (AcceptWord("return")) {
            auto stmt = NewStmt(StmtKind::Return, line);
            if (!AtEndOfLine() && !IsWord("else")) stmt->expr = ParseExpression();
            return stmt;
        }
        if (IsWord("if") || IsWord("repeat")) Fail("expected a one-line statement");
        if (Peek().kind != TokenKind::Identifier || IsReserved(Peek().text)) Fail("expected a statement");
        if (IsOperator("=", 1)) {
            auto stmt = NewStmt(StmtKind::Assign, line);
            stmt->name = Take().text;
            Take();
            stmt->expr = ParseExpression();
            return stmt;
        }
        auto stmt = NewStmt(StmtKind::Call, line);
        if (IsOperator("(", 1) || IsOperator(".", 1) || IsOperator("[", 1)) {
            stmt->expr = ParseExpression();
            if (stmt->expr->kind != ExprKind::Call && stmt->expr->kind != ExprKind::MethodCall) {
                throw ScriptError(line, "Script syntax error: this line computes a value but does nothing with it");
            }
            return stmt;
        }
        // The command form: name arg, arg
        auto call = NewExpr(ExprKind::Call, line);
        call->name = Take().text;
        if (!AtEndOfLine() && !IsWord("else")) call->operands = ParseArguments();
        stmt->expr = std::move(call);
        return stmt;
    }

    std::unique_ptr<Stmt> ParseIf(int line) {
        auto stmt = NewStmt(StmtKind::If, line);
        stmt->conditions.push_back(ParseExpression());
        ExpectWord("then");
        if (!AtEndOfLine()) {
            // One-line form: if c then statement [else statement]
            Block then;
            then.push_back(ParseSimpleOrIf());
            stmt->blocks.push_back(std::move(then));
            if (AcceptWord("else")) {
                Block otherwise;
                otherwise.push_back(ParseSimpleOrIf());
                stmt->blocks.push_back(std::move(otherwise));
            }
            ExpectEndOfLine();
            return stmt;
        }
        ExpectEndOfLine();
        stmt->blocks.push_back(ParseBlock());
        while (AcceptWord("else")) {
            if (AcceptWord("if")) {
                stmt->conditions.push_back(ParseExpression());
                ExpectWord("then");
                ExpectEndOfLine();
                stmt->blocks.push_back(ParseBlock());
                continue;
            }
            ExpectEndOfLine();
            stmt->blocks.push_back(ParseBlock());
            break;
        }
        if (!AcceptWord("end") || !AcceptWord("if")) Fail("expected 'end if'");
        ExpectEndOfLine();
        return stmt;
    }

    // The body of a one-line if may be another one-line if.
    std::unique_ptr<Stmt> ParseSimpleOrIf() {
        int line = Peek().line;
        if (!AcceptWord("if")) return ParseSimpleStatement();
        Nesting nesting(*this);
        auto stmt = NewStmt(StmtKind::If, line);
        stmt->conditions.push_back(ParseExpression());
        ExpectWord("then");
        Block then;
        then.push_back(ParseSimpleOrIf());
        stmt->blocks.push_back(std::move(then));
        return stmt;
    }

    std::unique_ptr<Stmt> ParseRepeat(int line) {
        std::unique_ptr<Stmt> stmt;
        if (AcceptWord("while")) {
            stmt = NewStmt(StmtKind::RepeatWhile, line);
            stmt->expr = ParseExpression();
        } else if (AcceptWord("with")) {
            stmt = NewStmt(StmtKind::RepeatWith, line);
            stmt->name = ExpectName("a variable name after 'repeat with'");
            ExpectOperator("=");
            stmt->expr = ParseExpression();
            stmt->down = AcceptWord("down");
            ExpectWord("to");
            stmt->limit = ParseExpression();
        } else {
            Fail("expected 'while' or 'with' after 'repeat'");
        }
        ExpectEndOfLine();
        stmt->blocks.push_back(ParseBlock());
        if (!AcceptWord("end") || !AcceptWord("repeat")) Fail("expected 'end repeat'");
        ExpectEndOfLine();
        return stmt;
    }

    // ---- expressions --------------------------------------------------------
    ExprPtr NewExpr(ExprKind kind, int line) {
        auto expr = std::make_unique<Expr>();
        expr->kind = kind;
        expr->line = line;
        return expr;
    }
    ExprPtr NewBinary(std::string op, ExprPtr left, ExprPtr right, int line) {
        auto expr = NewExpr(ExprKind::Binary, line);
        expr->name = std::move(op);
        expr->operands.push_back(std::move(left));
        expr->operands.push_back(std::move(right));
        return expr;
    }

    ExprPtr ParseExpression() {
        Nesting nesting(*this);
        return ParseOr();
    }

    ExprPtr ParseOr() {
        ExprPtr left = ParseAnd();
        while (IsWord("or")) {
            int line = Take().line;
            left = NewBinary("or", std::move(left), ParseAnd(), line);
        }
        return left;
    }

    ExprPtr ParseAnd() {
        ExprPtr left = ParseComparison();
        while (IsWord("and")) {
            int line = Take().line;
            left = NewBinary("and", std::move(left), ParseComparison(), line);
        }
        return left;
    }

    ExprPtr ParseComparison() {
        ExprPtr left = ParseConcatenation();
        while (IsOperator("=") || IsOperator("<>") || IsOperator("<") || IsOperator(">") || IsOperator("<=") ||
               IsOperator(">=")) {
            const Token& op = Take();
            left = NewBinary(op.text, std::move(left), ParseConcatenation(), op.line);
        }
        return left;
    }

    ExprPtr ParseConcatenation() {
        ExprPtr left = ParseSum();
        while (IsOperator("&") || IsOperator("&&")) {
            const Token& op = Take();
            left = NewBinary(op.text, std::move(left), ParseSum(), op.line);
        }
        return left;
    }

    ExprPtr ParseSum() {
        ExprPtr left = ParseProduct();
        while (IsOperator("+") || IsOperator("-")) {
            const Token& op = Take();
            left = NewBinary(op.text, std::move(left), ParseProduct(), op.line);
        }
        return left;
    }

    ExprPtr ParseProduct() {
        ExprPtr left = ParseUnary();
        while (IsOperator("*") || IsOperator("/") || IsWord("mod")) {
            const Token& op = Take();
            left = NewBinary(FoldCase(op.text), std::move(left), ParseUnary(), op.line);
        }
        return left;
    }

    ExprPtr ParseUnary() {
        if (IsOperator("-") || IsWord("not")) {
            Nesting nesting(*this);
            const Token& op = Take();
            auto expr = NewExpr(ExprKind::Unary, op.line);
            expr->name = FoldCase(op.text);
            expr->operands.push_back(ParseUnary());
            return expr;
        }
        return ParsePostfix(ParsePrimary());
    }

    ExprPtr ParsePostfix(ExprPtr base) {
        while (true) {
            int line = Peek().line;
            if (AcceptOperator("[")) {
                auto expr = NewExpr(ExprKind::Index, line);
                expr->operands.push_back(std::move(base));
                expr->operands.push_back(ParseExpression());
                ExpectOperator("]");
                base = std::move(expr);
            } else if (AcceptOperator(".")) {
                auto expr = NewExpr(ExprKind::MethodCall, line);
                expr->name = ExpectName("a method name after '.'");
                expr->operands.push_back(std::move(base));
                ExpectOperator("(");
                for (ExprPtr& argument : ParseArgumentsUntil(")")) expr->operands.push_back(std::move(argument));
                base = std::move(expr);
            } else {
                return base;
            }
        }
    }

    std::vector<ExprPtr> ParseArguments() {
        std::vector<ExprPtr> arguments;
        arguments.push_back(ParseExpression());
        while (AcceptOperator(",")) arguments.push_back(ParseExpression());
        return arguments;
    }

    std::vector<ExprPtr> ParseArgumentsUntil(const char* closing) {
        std::vector<ExprPtr> arguments;
        if (!AcceptOperator(closing)) {
            arguments = ParseArguments();
            ExpectOperator(closing);
        }
        return arguments;
    }

    ExprPtr Literal(Value value, int line) {
        auto expr = NewExpr(ExprKind::Literal, line);
        expr->literal = std::move(value);
        return expr;
    }

    ExprPtr ParsePrimary() {
        const Token& token = Peek();
        int line = token.line;
        switch (token.kind) {
        case TokenKind::Integer: {
            errno = 0;
            long long number = std::strtoll(Take().text.c_str(), nullptr, 10);
            // Like Lingo, a literal too large for an integer becomes a float.
            if (errno == ERANGE || number > INT32_MAX) return Literal(Value::Float(std::strtod(token.text.c_str(), nullptr)), line);
            return Literal(Value::Integer(static_cast<int32_t>(number)), line);
        }
        case TokenKind::Float: return Literal(Value::Float(std::strtod(Take().text.c_str(), nullptr)), line);
        case TokenKind::String: return Literal(Value::String(Take().text), line);
        case TokenKind::Symbol: return Literal(Value::Symbol(Take().text), line);
        case TokenKind::Operator:
            if (AcceptOperator("(")) {
                ExprPtr inner = ParseExpression();
                ExpectOperator(")");
                return inner;
            }
            if (AcceptOperator("[")) return ParseListLiteral(line);
            Fail("expected a value");
        case TokenKind::Identifier: return ParseNamedPrimary(line);
        default: Fail("expected a value");
        }
    }

    ExprPtr ParseNamedPrimary(int line) {
        struct Constant {
            const char* name;
            Value value;
        };
        const Constant constants[] = {
            {"void", Value()},
            {"true", Value::Integer(1)},
            {"false", Value::Integer(0)},
            {"empty", Value::String("")},
            {"return", Value::String("\r")},
            {"quote", Value::String("\"")},
        };
        for (const Constant& constant : constants) {
            if (AcceptWord(constant.name)) return Literal(constant.value, line);
        }
        if (AcceptWord("the")) {
            auto expr = NewExpr(ExprKind::TheProperty, line);
            expr->name = ExpectName("a property name after 'the'");
            return expr;
        }
        if (AcceptWord("xtra")) {
            Nesting nesting(*this);
            auto expr = NewExpr(ExprKind::XtraRef, line);
            expr->operands.push_back(ParsePrimary());
            return expr;
        }
        if (IsReserved(Peek().text)) Fail("expected a value");
        std::string name = Take().text;
        if (AcceptOperator("(")) {
            auto expr = NewExpr(ExprKind::Call, line);
            expr->name = name;
            expr->operands = ParseArgumentsUntil(")");
            return expr;
        }
        auto expr = NewExpr(ExprKind::Variable, line);
        expr->name = name;
        return expr;
    }

    ExprPtr ParseListLiteral(int line) {
        if (AcceptOperator(":")) {
            ExpectOperator("]");
            return NewExpr(ExprKind::PropLiteral, line);
        }
        if (AcceptOperator("]")) return NewExpr(ExprKind::ListLiteral, line);
        ExprPtr first = ParseExpression();
        bool isPropList = IsOperator(":");
        auto expr = NewExpr(isPropList ? ExprKind::PropLiteral : ExprKind::ListLiteral, line);
        expr->operands.push_back(std::move(first));
        if (isPropList) {
            Take();
            expr->operands.push_back(ParseExpression());
        }
        while (AcceptOperator(",")) {
            expr->operands.push_back(ParseExpression());
            if (isPropList) {
                ExpectOperator(":");
                expr->operands.push_back(ParseExpression());
            }
        }
        ExpectOperator("]");
        return expr;
    }

    std::vector<Token> tokens_;
    size_t position_ = 0;
    int depth_ = 0;
};

}  // namespace

Script ParseScript(const std::string& source) { return Parser(Tokenize(source)).Run(); }

}  // namespace lingo
