#include "lexer.h"

#include <cctype>

#include "script_error.h"

namespace lingo {

namespace {

bool IsNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsNamePart(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

class Lexer {
public:
    explicit Lexer(const std::string& source) : source_(source) {}

    std::vector<Token> Run() {
        while (position_ < source_.size()) ReadOne();
        Emit(TokenKind::EndOfLine, "");
        Emit(TokenKind::EndOfScript, "");
        return tokens_;
    }

private:
    char At(size_t offset) const {
        size_t index = position_ + offset;
        return index < source_.size() ? source_[index] : '\0';
    }

    void Emit(TokenKind kind, std::string text) { tokens_.push_back({kind, std::move(text), line_}); }

    void ReadOne() {
        char c = At(0);
        if (c == '\n') {
            Emit(TokenKind::EndOfLine, "");
            ++line_;
            ++position_;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            ++position_;
        } else if (c == '-' && At(1) == '-') {
            while (position_ < source_.size() && At(0) != '\n') ++position_;
        } else if (c == '\\' && (At(1) == '\n' || (At(1) == '\r' && At(2) == '\n'))) {
            // A line continued on the next one.
            position_ += At(1) == '\r' ? 3 : 2;
            ++line_;
        } else if (c == '"') {
            ReadString();
        } else if (c == '#') {
            ReadSymbol();
        } else if (IsDigit(c) || (c == '.' && IsDigit(At(1)))) {
            ReadNumber();
        } else if (IsNameStart(c)) {
            size_t start = position_;
            while (IsNamePart(At(0))) ++position_;
            Emit(TokenKind::Identifier, source_.substr(start, position_ - start));
        } else {
            ReadOperator();
        }
    }

    void ReadString() {
        size_t start = ++position_;
        while (position_ < source_.size() && At(0) != '"' && At(0) != '\n') ++position_;
        if (At(0) != '"') throw ScriptError(line_, "Script syntax error: string without closing quote");
        Emit(TokenKind::String, source_.substr(start, position_ - start));
        ++position_;
    }

    void ReadSymbol() {
        size_t start = ++position_;
        if (!IsNameStart(At(0))) throw ScriptError(line_, "Script syntax error: # must be followed by a name");
        while (IsNamePart(At(0))) ++position_;
        Emit(TokenKind::Symbol, source_.substr(start, position_ - start));
    }

    void ReadNumber() {
        size_t start = position_;
        while (IsDigit(At(0))) ++position_;
        bool isFloat = false;
        if (At(0) == '.' && IsDigit(At(1))) {
            isFloat = true;
            ++position_;
            while (IsDigit(At(0))) ++position_;
        }
        if (IsNameStart(At(0))) throw ScriptError(line_, "Script syntax error: a name cannot start with a digit");
        Emit(isFloat ? TokenKind::Float : TokenKind::Integer, source_.substr(start, position_ - start));
    }

    void ReadOperator() {
        static const char* const kTwoCharacter[] = {"<>", "<=", ">=", "&&"};
        for (const char* op : kTwoCharacter) {
            if (At(0) == op[0] && At(1) == op[1]) {
                Emit(TokenKind::Operator, op);
                position_ += 2;
                return;
            }
        }
        static const std::string kOneCharacter = "+-*/&=<>()[],:.";
        char c = At(0);
        if (kOneCharacter.find(c) == std::string::npos) {
            std::string shown = std::isprint(static_cast<unsigned char>(c)) ? std::string(1, c) : "?";
            throw ScriptError(line_, "Script syntax error: unexpected character '" + shown + "'");
        }
        Emit(TokenKind::Operator, std::string(1, c));
        ++position_;
    }

    const std::string& source_;
    size_t position_ = 0;
    int line_ = 1;
    std::vector<Token> tokens_;
};

}  // namespace

std::vector<Token> Tokenize(const std::string& source) { return Lexer(source).Run(); }

}  // namespace lingo
