#include "Lexer.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <utility>

#include "Value.h"

namespace host::mel {

namespace {

bool isIdentStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool isIdentChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}
bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Longest first, so that "<<" wins over "<".
const char* const kOperators[] = {"<<", ">>", "<=", ">=", "==", "!=", "&&", "||", "++",
                                  "--", "+=", "-=", "*=", "/=", "+",  "-",  "*",  "/",
                                  "%",  "^",  "!",  "<",  ">",  "?",  ":",  "=",  "(",
                                  ")",  "[",  "]",  "{",  "}",  ",",  ";",  ".",  "`"};

}  // namespace

Lexer::Lexer(const std::string& source, int firstLine) : src_(source), firstLine_(firstLine) {
    findLineBreaks();
}

Lexer::Lexer(std::string&& source, int firstLine)
    : kept_(std::move(source)), src_(kept_), firstLine_(firstLine) {
    findLineBreaks();
}

void Lexer::findLineBreaks() {
    for (std::size_t i = src_.find('\n'); i != std::string_view::npos; i = src_.find('\n', i + 1))
        lineBreaks_.push_back(i + 1);
}

std::size_t Lexer::lineStart(std::size_t index) const {
    return index == 0 ? 0 : lineBreaks_[index - 1];
}

int Lexer::lineOf(std::size_t pos) const {
    auto it = std::upper_bound(lineBreaks_.begin(), lineBreaks_.end(), pos);
    return static_cast<int>(it - lineBreaks_.begin()) + firstLine_;
}

int Lexer::columnOf(std::size_t pos) const {
    return static_cast<int>(pos - lineStart(static_cast<std::size_t>(lineOf(pos) - firstLine_))) +
           1;
}

std::string Lexer::lineText(int line) const {
    line -= firstLine_ - 1;
    if (line < 1 || line > static_cast<int>(lineBreaks_.size()) + 1)
        return "";
    std::size_t start = lineStart(static_cast<std::size_t>(line - 1));
    std::size_t end = src_.find('\n', start);
    std::string text(
        src_.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    return text;
}

void Lexer::fail(std::size_t pos, const std::string& message, bool atEnd) const {
    pos = std::min(pos, src_.size());
    throw SyntaxError{lineOf(pos), columnOf(pos), message, atEnd};
}

void Lexer::skipBlanks() {
    while (pos_ < src_.size()) {
        char c = src_[pos_];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++pos_;
        } else if (c == '/' && pos_ + 1 < src_.size() && src_[pos_ + 1] == '/') {
            while (pos_ < src_.size() && src_[pos_] != '\n')
                ++pos_;
        } else if (c == '/' && pos_ + 1 < src_.size() && src_[pos_ + 1] == '*') {
            std::size_t close = src_.find("*/", pos_ + 2);
            if (close == std::string_view::npos)
                fail(pos_, "Syntax error", true);
            pos_ = close + 2;
        } else {
            break;
        }
    }
}

char Lexer::peekChar() {
    skipBlanks();
    return pos_ < src_.size() ? src_[pos_] : '\0';
}

const Token& Lexer::peek() {
    if (aheadFrom_ != pos_) {
        const std::size_t from = pos_;
        aheadFrom_ = std::string::npos;
        ahead_ = lex();
        pos_ = from;
        aheadFrom_ = from;
    }
    return ahead_;
}

Token Lexer::next() {
    if (aheadFrom_ == pos_) {
        aheadFrom_ = std::string::npos;
        pos_ = ahead_.end;
        return std::move(ahead_);
    }
    return lex();
}

Token Lexer::lex() {
    skipBlanks();
    Token t;
    t.pos = pos_;
    if (pos_ >= src_.size()) {
        t.end = pos_;
        return t;
    }
    char c = src_[pos_];
    if (isIdentStart(c)) {
        std::size_t start = pos_;
        while (pos_ < src_.size() && isIdentChar(src_[pos_]))
            ++pos_;
        t.kind = Tok::Ident;
        t.text = src_.substr(start, pos_ - start);
    } else if (c == '$') {
        std::size_t start = pos_++;
        if (pos_ >= src_.size() || !isIdentStart(src_[pos_]))
            fail(start, "Syntax error");
        while (pos_ < src_.size() && isIdentChar(src_[pos_]))
            ++pos_;
        t.kind = Tok::Var;
        t.text = src_.substr(start, pos_ - start);
    } else if (isDigit(c) || (c == '.' && pos_ + 1 < src_.size() && isDigit(src_[pos_ + 1]))) {
        return lexNumber(pos_);
    } else if (c == '"') {
        return lexString(pos_);
    } else {
        for (const char* op : kOperators) {
            std::size_t n = std::char_traits<char>::length(op);
            if (src_.compare(pos_, n, op) == 0) {
                t.kind = Tok::Op;
                t.text = op;
                pos_ += n;
                t.end = pos_;
                return t;
            }
        }
        fail(pos_, "Syntax error");
    }
    t.end = pos_;
    return t;
}

Token Lexer::lexNumber(std::size_t start) {
    Token t;
    t.pos = start;
    std::size_t i = start;
    if (src_[i] == '0' && i + 1 < src_.size() && (src_[i + 1] == 'x' || src_[i + 1] == 'X') &&
        i + 2 < src_.size() && std::isxdigit(static_cast<unsigned char>(src_[i + 2]))) {
        i += 2;
        unsigned long long v = 0;
        while (i < src_.size() && std::isxdigit(static_cast<unsigned char>(src_[i]))) {
            char h = static_cast<char>(std::tolower(static_cast<unsigned char>(src_[i++])));
            v = (v << 4) | static_cast<unsigned>(isDigit(h) ? h - '0' : h - 'a' + 10);
        }
        t.kind = Tok::Int;
        t.intValue = wrapInt(static_cast<long long>(v));
    } else {
        bool isFloat = false;
        while (i < src_.size() && isDigit(src_[i]))
            ++i;
        if (i < src_.size() && src_[i] == '.' && !(i + 1 < src_.size() && src_[i + 1] == '.')) {
            isFloat = true;
            ++i;
            while (i < src_.size() && isDigit(src_[i]))
                ++i;
        }
        if (i < src_.size() && (src_[i] == 'e' || src_[i] == 'E')) {
            std::size_t j = i + 1;
            if (j < src_.size() && (src_[j] == '+' || src_[j] == '-'))
                ++j;
            if (j < src_.size() && isDigit(src_[j])) {
                isFloat = true;
                while (j < src_.size() && isDigit(src_[j]))
                    ++j;
                i = j;
            }
        }
        const std::string text(src_.substr(start, i - start));
        if (isFloat) {
            t.kind = Tok::Float;
            t.floatValue = std::strtod(text.c_str(), nullptr);
        } else {
            // Integer literals beyond 32 bits wrap, as MEL's int arithmetic does.
            unsigned long long v = std::strtoull(text.c_str(), nullptr, 10);
            t.kind = Tok::Int;
            t.intValue = wrapInt(static_cast<long long>(v));
        }
    }
    if (i < src_.size() && isIdentStart(src_[i]))
        fail(i, "Syntax error");
    t.text = src_.substr(start, i - start);
    pos_ = i;
    t.end = i;
    return t;
}

Token Lexer::lexString(std::size_t start) {
    Token t;
    t.kind = Tok::String;
    t.pos = start;
    std::size_t i = start + 1;
    std::string value;
    while (true) {
        // Plain characters are taken a run at a time: scripts quote every
        // object name they hand to a command.
        std::size_t stop = i;
        while (stop < src_.size() && src_[stop] != '"' && src_[stop] != '\\')
            ++stop;
        if (stop == src_.size())
            fail(start, "Syntax error", true);
        value.append(src_, i, stop - i);
        i = stop + 1;
        if (src_[stop] == '"')
            break;
        if (i >= src_.size())
            fail(start, "Syntax error", true);
        char e = src_[i++];
        switch (e) {
            case 'n':
                value += '\n';
                break;
            case 't':
                value += '\t';
                break;
            case 'r':
                value += '\r';
                break;
            default:
                value += e;
                break;  // \\ \" and any other escaped character
        }
    }
    t.text = std::move(value);
    pos_ = i;
    t.end = i;
    return t;
}

bool Lexer::isWordBreak(char c) {
    return c == '\0' || std::isspace(static_cast<unsigned char>(c)) || c == ';' || c == '"' ||
           c == '(' || c == ')' || c == '{' || c == '}' || c == '`' || c == '$';
}

Token Lexer::nextWord() {
    skipBlanks();
    Token t;
    t.kind = Tok::String;
    t.pos = pos_;
    while (pos_ < src_.size() && !isWordBreak(src_[pos_]))
        ++pos_;
    t.text = src_.substr(t.pos, pos_ - t.pos);
    t.end = pos_;
    return t;
}

namespace {

// How a character stands in a literal when it cannot stand as itself.
const char* escapeOf(char c) {
    switch (c) {
        case '"':
            return "\\\"";
        case '\\':
            return "\\\\";
        case '\n':
            return "\\n";
        case '\t':
            return "\\t";
        case '\r':
            return "\\r";
        default:
            return nullptr;
    }
}

}  // namespace

void appendEscapedLiteral(std::string& out, const std::string& text) {
    std::size_t plain = 0;  // where the characters that stand as themselves start
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (const char* escape = escapeOf(text[i])) {
            out.append(text, plain, i - plain);
            out += escape;
            plain = i + 1;
        }
    }
    out.append(text, plain, std::string::npos);
}

std::string escapedLiteral(const std::string& text) {
    std::string out;
    appendEscapedLiteral(out, text);
    return out;
}

}  // namespace host::mel
