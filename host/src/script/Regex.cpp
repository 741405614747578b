#include "Regex.h"

#include <cctype>

namespace host::mel {

int Regex::add(State s) {
    states_.push_back(s);
    return static_cast<int>(states_.size()) - 1;
}

void Regex::patch(const Frag& f, int target) {
    for (auto [state, which] : f.holes)
        (which ? states_[state].out1 : states_[state].out) = target;
}

// Recursive descent over the pattern, building Thompson fragments.
class Regex::Builder {
public:
    Builder(Regex& re, const std::string& p) : re_(re), p_(p) {}

    bool build(std::string& error) {
        Frag f = alternation();
        if (ok_ && i_ != p_.size())
            fault("unbalanced ')'");
        if (!ok_) {
            error = error_;
            return false;
        }
        int match = re_.add({Kind::Match});
        re_.patch(f, match);
        re_.start_ = f.start;
        return true;
    }

private:
    static constexpr int kMaxDepth = 100;

    void fault(const std::string& why) {
        if (ok_)
            error_ = why;
        ok_ = false;
    }
    Frag single(State s) {
        int id = re_.add(s);
        return Frag{id, {{id, 0}}};
    }
    Frag empty() { return single({Kind::Eps}); }

    Frag alternation() {
        Frag left = concatenation();
        while (ok_ && i_ < p_.size() && p_[i_] == '|') {
            ++i_;
            Frag right = concatenation();
            int split = re_.add({Kind::Split, 0, -1, left.start, right.start});
            left.holes.insert(left.holes.end(), right.holes.begin(), right.holes.end());
            left.start = split;
        }
        return left;
    }

    Frag concatenation() {
        Frag whole = empty();
        while (ok_ && i_ < p_.size() && p_[i_] != '|' && p_[i_] != ')') {
            Frag next = repetition();
            re_.patch(whole, next.start);
            whole.holes = std::move(next.holes);
        }
        return whole;
    }

    Frag repetition() {
        Frag f = atom();
        while (ok_ && i_ < p_.size() && (p_[i_] == '*' || p_[i_] == '+' || p_[i_] == '?')) {
            char op = p_[i_++];
            int split = re_.add({Kind::Split, 0, -1, f.start, -1});
            if (op == '?') {
                f.holes.push_back({split, 1});
                f.start = split;
            } else {
                re_.patch(f, split);
                f = Frag{op == '*' ? split : f.start, {{split, 1}}};
            }
        }
        return f;
    }

    Frag atom() {
        if (i_ >= p_.size()) {
            fault("missing operand");
            return empty();
        }
        char c = p_[i_++];
        switch (c) {
            case '(': {
                if (++depth_ > kMaxDepth) {
                    fault("too deeply nested");
                    return empty();
                }
                Frag f = alternation();
                --depth_;
                if (i_ >= p_.size() || p_[i_] != ')')
                    fault("unbalanced '('");
                ++i_;
                return f;
            }
            case '*':
            case '+':
            case '?':
                fault("nothing to repeat");
                return empty();
            case '.':
                return single({Kind::Any});
            case '^':
                return single({Kind::Bol});
            case '$':
                return single({Kind::Eol});
            case '[':
                return bracket();
            case '\\': {
                if (i_ >= p_.size()) {
                    fault("trailing backslash");
                    return empty();
                }
                char e = p_[i_++];
                std::bitset<256> set;
                if (escapeClass(e, set))
                    return classState(set);
                return literal(e);
            }
            default:
                return literal(c);
        }
    }

    Frag literal(char c) {
        State s{Kind::Char};
        s.c = static_cast<unsigned char>(c);
        return single(s);
    }

    Frag classState(const std::bitset<256>& set) {
        re_.classes_.push_back(set);
        State s{Kind::Class};
        s.cls = static_cast<int>(re_.classes_.size()) - 1;
        return single(s);
    }

    static bool escapeClass(char e, std::bitset<256>& set) {
        int (*test)(int) = nullptr;
        switch (std::tolower(static_cast<unsigned char>(e))) {
            case 'd':
                test = [](int ch) { return std::isdigit(ch); };
                break;
            case 'w':
                test = [](int ch) { return std::isalnum(ch) || ch == '_' ? 1 : 0; };
                break;
            case 's':
                test = [](int ch) { return std::isspace(ch); };
                break;
            default:
                return false;
        }
        for (int ch = 0; ch < 256; ++ch)
            set[ch] = test(ch) != 0;
        if (std::isupper(static_cast<unsigned char>(e)))
            set.flip();
        return true;
    }

    Frag bracket() {
        std::bitset<256> set;
        bool negate = i_ < p_.size() && p_[i_] == '^';
        if (negate)
            ++i_;
        bool first = true;
        while (true) {
            if (i_ >= p_.size()) {
                fault("unbalanced '['");
                return empty();
            }
            unsigned char c = static_cast<unsigned char>(p_[i_++]);
            if (c == ']' && !first)
                break;
            first = false;
            if (c == '\\' && i_ < p_.size()) {
                std::bitset<256> escaped;
                if (escapeClass(p_[i_], escaped)) {
                    set |= escaped;
                    ++i_;
                    continue;
                }
                c = static_cast<unsigned char>(p_[i_++]);
            }
            unsigned char hi = c;
            if (i_ + 1 < p_.size() && p_[i_] == '-' && p_[i_ + 1] != ']') {
                hi = static_cast<unsigned char>(p_[i_ + 1]);
                i_ += 2;
            }
            for (int ch = c; ch <= hi; ++ch)
                set[ch] = true;
        }
        if (negate)
            set.flip();
        return classState(set);
    }

    Regex& re_;
    const std::string& p_;
    std::size_t i_ = 0;
    int depth_ = 0;
    bool ok_ = true;
    std::string error_;
};

bool Regex::compile(const std::string& pattern, std::string& error) {
    states_.clear();
    classes_.clear();
    return Builder(*this, pattern).build(error);
}

bool Regex::search(const std::string& text, std::size_t from, std::size_t& start,
                   std::size_t& length) const {
    const std::size_t n = text.size();
    struct Thread {
        int state;
        std::size_t start;
    };
    std::vector<Thread> current, next;
    std::vector<std::size_t> seen(states_.size(), static_cast<std::size_t>(-1));
    std::vector<int> stack;
    std::size_t generation = 0;
    const std::size_t none = static_cast<std::size_t>(-1);
    std::size_t bestStart = none, bestEnd = 0;

    // Adds a thread and follows its empty moves; earlier-started threads come first, so a
    // state reached twice keeps the earlier start.
    auto follow = [&](std::vector<Thread>& list, int state, std::size_t threadStart,
                      std::size_t pos) {
        stack.push_back(state);
        while (!stack.empty()) {
            int s = stack.back();
            stack.pop_back();
            if (s < 0 || seen[s] == generation)
                continue;
            seen[s] = generation;
            const State& st = states_[s];
            switch (st.kind) {
                case Kind::Split:
                    stack.push_back(st.out1);
                    stack.push_back(st.out);
                    break;
                case Kind::Eps:
                    stack.push_back(st.out);
                    break;
                case Kind::Bol:
                    if (pos == 0)
                        stack.push_back(st.out);
                    break;
                case Kind::Eol:
                    if (pos == n)
                        stack.push_back(st.out);
                    break;
                default:
                    list.push_back({s, threadStart});
            }
        }
    };

    for (std::size_t i = from;; ++i) {
        if (bestStart == none)
            follow(current, start_, i, i);
        for (const Thread& t : current) {
            if (states_[t.state].kind != Kind::Match)
                continue;
            if (bestStart == none || t.start < bestStart || (t.start == bestStart && i > bestEnd)) {
                bestStart = t.start;
                bestEnd = i;
            }
        }
        if (i >= n)
            break;
        ++generation;
        next.clear();
        unsigned char c = static_cast<unsigned char>(text[i]);
        for (const Thread& t : current) {
            if (bestStart != none && t.start > bestStart)
                continue;
            const State& st = states_[t.state];
            bool step = (st.kind == Kind::Char && st.c == c) || st.kind == Kind::Any ||
                        (st.kind == Kind::Class && classes_[st.cls][c]);
            if (step)
                follow(next, st.out, t.start, i + 1);
        }
        current.swap(next);
        if (current.empty() && bestStart != none)
            break;
    }
    if (bestStart == none)
        return false;
    start = bestStart;
    length = bestEnd - bestStart;
    return true;
}

namespace {

// Matches the bracket expression at p[pi] (just behind '[') against c; advances pi behind ']'.
bool globClass(const std::string& p, std::size_t& pi, unsigned char c, bool& valid) {
    std::size_t i = pi;
    bool negate = i < p.size() && (p[i] == '!' || p[i] == '^');
    if (negate)
        ++i;
    bool hit = false, first = true;
    while (i < p.size() && (p[i] != ']' || first)) {
        first = false;
        unsigned char lo = static_cast<unsigned char>(p[i]);
        unsigned char hi = lo;
        if (i + 2 < p.size() && p[i + 1] == '-' && p[i + 2] != ']') {
            hi = static_cast<unsigned char>(p[i + 2]);
            i += 2;
        }
        if (c >= lo && c <= hi)
            hit = true;
        ++i;
    }
    valid = i < p.size();
    pi = i + 1;
    return hit != negate;
}

}  // namespace

bool globMatch(const std::string& p, const std::string& s) {
    std::size_t pi = 0, si = 0;
    std::size_t starP = std::string::npos, starS = 0;
    while (si < s.size()) {
        bool advanced = false;
        if (pi < p.size()) {
            char pc = p[pi];
            if (pc == '*') {
                starP = pi++;
                starS = si;
                continue;
            }
            if (pc == '?') {
                ++pi;
                ++si;
                advanced = true;
            } else if (pc == '[') {
                std::size_t next = pi + 1;
                bool valid = true;
                bool hit = globClass(p, next, static_cast<unsigned char>(s[si]), valid);
                if (!valid)
                    hit = s[si] == '[';  // an unclosed '[' is itself
                if (!valid)
                    next = pi + 1;
                if (hit) {
                    pi = next;
                    ++si;
                    advanced = true;
                }
            } else {
                if (pc == '\\' && pi + 1 < p.size())
                    pc = p[++pi];
                if (pc == s[si]) {
                    ++pi;
                    ++si;
                    advanced = true;
                }
            }
        }
        if (advanced)
            continue;
        if (starP == std::string::npos)
            return false;
        pi = starP + 1;
        si = ++starS;
    }
    while (pi < p.size() && p[pi] == '*')
        ++pi;
    return pi == p.size();
}

}  // namespace host::mel
