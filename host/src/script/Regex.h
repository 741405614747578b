#pragma once

#include <bitset>
#include <cstddef>
#include <string>
#include <vector>

namespace host::mel {

// The regular expressions of MEL's match and substitute: . [] [^] * + ? ^ $ ( ) | and
// backslash escapes (\d \w \s among them). Matching simulates the automaton, so its time grows
// linearly with the text and no input can exhaust the stack; the leftmost, then longest, match
// wins.
class Regex {
public:
    // False (with a message) for a malformed pattern.
    bool compile(const std::string& pattern, std::string& error);
    // The first match at or after from: its offset and length.
    bool search(const std::string& text, std::size_t from, std::size_t& start,
                std::size_t& length) const;

private:
    enum class Kind { Char, Any, Class, Split, Eps, Bol, Eol, Match };
    struct State {
        Kind kind;
        unsigned char c = 0;
        int cls = -1;
        int out = -1, out1 = -1;
    };
    struct Frag {
        int start;
        std::vector<std::pair<int, int>> holes;  // (state, 0 for out / 1 for out1)
    };
    class Builder;

    int add(State s);
    void patch(const Frag& f, int target);

    std::vector<State> states_;
    std::vector<std::bitset<256>> classes_;
    int start_ = -1;
};

// Glob match of a whole text: * ? [abc] [a-z] [!a] [^a], and \ to escape.
bool globMatch(const std::string& pattern, const std::string& text);

}  // namespace host::mel
