#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace host::mel {

// A fault in the MEL text found before anything runs. atEnd marks faults caused by the text
// ending early (open brace, string or comment), which more input could still complete.
struct SyntaxError {
    int line = 1;
    int column = 1;
    std::string message;
    bool atEnd = false;
};

enum class Tok { End, Ident, Var, Int, Float, String, Op };

struct Token {
    Tok kind = Tok::End;
    std::string text;  // identifier, "$name", operator, or a string literal's decoded value
    int intValue = 0;
    double floatValue = 0;
    std::size_t pos = 0;  // offset of the first character
    std::size_t end = 0;  // offset just behind the token
    bool is(std::string_view op) const { return kind == Tok::Op && text == op; }
};

// The text as the inside of a string literal: quotes, backslashes and control
// characters escaped, so that the lexer reads the literal back as the text.
std::string escapedLiteral(const std::string& text);
// The same, appended to out.
void appendEscapedLiteral(std::string& out, const std::string& text);

// Turns MEL text into tokens on demand. The parser moves the cursor back when it tries one
// reading of a statement and then another, and asks for raw words in command syntax, where
// `pCube1.vtx[0:3]` or `-type` are single arguments.
class Lexer {
public:
    // firstLine numbers the text's first line, for a text cut from a longer one. A text given
    // by reference is read where it is, so it must outlive the lexer; a temporary is kept.
    explicit Lexer(const std::string& source, int firstLine = 1);
    explicit Lexer(std::string&& source, int firstLine = 1);
    Lexer(const Lexer&) = delete;
    Lexer& operator=(const Lexer&) = delete;

    Token next();
    // The next token, left under the cursor; valid until the lexer is next used.
    const Token& peek();
    std::size_t pos() const { return pos_; }
    void seek(std::size_t pos) { pos_ = pos; }

    // Skips blanks and comments; returns the character then under the cursor, or '\0' at the
    // end of the text.
    char peekChar();
    // A bare command-syntax word at the cursor (after peekChar() found a word character).
    Token nextWord();
    static bool isWordBreak(char c);

    int lineOf(std::size_t pos) const;
    int columnOf(std::size_t pos) const;
    std::string lineText(int line) const;
    [[noreturn]] void fail(std::size_t pos, const std::string& message, bool atEnd = false) const;

private:
    Token lex();
    std::size_t lineStart(std::size_t index) const;  // of the line counted from 0
    void skipBlanks();
    Token lexNumber(std::size_t start);
    Token lexString(std::size_t start);

    void findLineBreaks();

    std::string kept_;  // a temporary text, which src_ then shows
    std::string_view src_;
    std::size_t pos_ = 0;
    // The token last peeked at and where it was read from: the parser
    // mostly peeks at a token before it takes it, which then reads it once.
    Token ahead_;
    std::size_t aheadFrom_ = std::string::npos;
    std::vector<std::size_t> lineBreaks_;  // where each line but the first starts
    int firstLine_ = 1;
};

}  // namespace host::mel
