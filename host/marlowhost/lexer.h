// Splits a movie script into tokens. Keywords stay identifiers: the parser
// recognises them without case.
#pragma once

#include <string>
#include <vector>

namespace lingo {

enum class TokenKind { Identifier, Integer, Float, String, Symbol, Operator, EndOfLine, EndOfScript };

struct Token {
    TokenKind kind;
    std::string text;  // operator spelling, name, digits, string contents
    int line;
};

// Throws ScriptError for a character it does not know or an open string.
std::vector<Token> Tokenize(const std::string& source);

}  // namespace lingo
