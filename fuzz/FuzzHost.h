#ifndef DK_FUZZ_FUZZHOST_H
#define DK_FUZZ_FUZZHOST_H

// The host as every fuzz target runs it: started once, silent, with
// DravikTools loaded, and unable to write files, load other modules or
// change the environment, whatever text it is handed.

#include <cstddef>
#include <cstdint>
#include <string>

namespace dkfuzz {

// Statements one input may run before it is stopped; loops the fuzzer
// writes must end.
constexpr std::size_t kStatementLimit = 20000;

void startHost();

// Forgets the output of the previous input, so that memory stays flat.
void clearOutput();

// A fresh scene, an empty undo queue and a new MEL session.
void newSession();

// Runs MEL text; false when it failed (its error lines were written).
bool run(const std::string& text);

// The fuzzer's bytes as text.
std::string text(const uint8_t* data, std::size_t size);

}  // namespace dkfuzz

#endif
