#include "commands/copy/DKtextEdits.h"

unsigned replaceAll(std::string& text, const std::string& pattern, const std::string& replacement) {
    unsigned count = 0;
    for (std::string::size_type at = text.find(pattern); at != std::string::npos;
         at = text.find(pattern, at + replacement.length())) {
        text.replace(at, pattern.length(), replacement);
        ++count;
    }
    return count;
}

unsigned eraseSpan(std::string& text, const std::string& startToken, const std::string& endToken) {
    if (startToken.empty()) {
        return 0;
    }
    const std::string::size_type start = text.find(startToken);
    if (start == std::string::npos) {
        return 0;
    }
    std::string::size_type end = start + startToken.length();
    if (!endToken.empty()) {
        const std::string::size_type found = text.find(endToken, end);
        if (found == std::string::npos) {
            return 0;
        }
        end = found + endToken.length();
    }
    text.erase(start, end - start);
    return 1;
}

std::string escapedForQuotes(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            escaped += '\\';
        }
        escaped += c;
    }
    return escaped;
}
