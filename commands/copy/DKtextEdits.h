#ifndef DK_COMMANDS_COPY_DKTEXTEDITS_H
#define DK_COMMANDS_COPY_DKTEXTEDITS_H

#include <string>

// Edits of the host's own command texts, which the copy commands retarget
// rather than rebuild.

// Replaces every occurrence of pattern, resuming the search behind each
// replacement so that a replacement containing the pattern is not replaced
// again. Returns the number of replacements; pattern must not be empty.
unsigned replaceAll(std::string& text, const std::string& pattern, const std::string& replacement);

// Erases the first startToken together with everything up to and including
// the first endToken behind it (startToken alone when endToken is empty).
// Returns 1 when something was erased, 0 otherwise.
unsigned eraseSpan(std::string& text, const std::string& startToken, const std::string& endToken);

// The text as a script string literal would need it written between double
// quotes, so that a name typed by the user cannot end the literal early.
std::string escapedForQuotes(const std::string& text);

#endif
