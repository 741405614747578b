#ifndef HOST_EXPRESSIONS_EXPRESSION_H
#define HOST_EXPRESSIONS_EXPRESSION_H

// Expression nodes: MEL text over attributes, run when the time or an
// attribute it reads changes. The node keeps the text with the attributes
// it reads as .I[n] (its input[n]) and those it writes as .O[n] (its
// output[n]), as scene files hold it.

#include <string>
#include <vector>

namespace host {
class Node;
class Attribute;

namespace expressions {

// The expression type and the expression command.
void registerExpressions();
void registerExpressionType();
void registerExpressionCommand();

// The node's text, and running it once (its outputs are stored on it).
std::string textOf(Node& node);
void run(Node& node);
const Attribute* inputAttribute();
const Attribute* outputAttribute();
const Attribute* timeAttribute();

// Where the string literal that opens at text[start] ends: one past its
// closing quote. Expression texts are rewritten around their strings, never
// inside them.
size_t stringEnd(const std::string& text, size_t start);

// Runs the expressions that run on every change of time and have nothing
// that would pull them (no outputs); the clock calls this when it moves.
void clockMoved();

}  // namespace expressions
}  // namespace host

#endif
