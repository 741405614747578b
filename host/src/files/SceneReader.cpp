#include "files/SceneReader.h"

#include "commands/Support.h"
#include "files/MeshLayout.h"
#include "files/SceneFile.h"
#include "foundation/Output.h"
#include "graph/NodeType.h"
#include "graph/Scene.h"
#include "plugin/PluginManager.h"
#include "script/Interpreter.h"

#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>

#include <cctype>

namespace host {
namespace files {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Scans a text, keeping count of lines, past strings and comments.
class Scanner {
public:
    explicit Scanner(const std::string& text) : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }
    size_t pos() const { return m_pos; }
    int line() const { return m_line; }
    char peek(size_t ahead = 0) const {
        return m_pos + ahead < m_text.size() ? m_text[m_pos + ahead] : '\0';
    }
    void advance() {
        if (m_text[m_pos++] == '\n')
            ++m_line;
    }
    // Skips blanks and comments before a statement.
    void skipGap() {
        while (!atEnd()) {
            if (isBlank(peek()))
                advance();
            else if (peek() == '/' && peek(1) == '/')
                skipTo('\n');
            else if (peek() == '/' && peek(1) == '*')
                skipBlockComment();
            else
                return;
        }
    }
    // Moves past one character of a statement, or the whole string or
    // comment that starts there.
    void skipElement() {
        const char c = peek();
        if (c == '"') {
            advance();
            while (!atEnd() && peek() != '"') {
                if (peek() == '\\' && m_pos + 1 < m_text.size())
                    advance();
                advance();
            }
            if (!atEnd())
                advance();
        } else if (c == '/' && peek(1) == '/') {
            skipTo('\n');
        } else if (c == '/' && peek(1) == '*') {
            skipBlockComment();
        } else {
            advance();
        }
    }

private:
    void skipTo(char c) {
        while (!atEnd() && peek() != c)
            advance();
    }
    void skipBlockComment() {
        advance();
        advance();
        while (!atEnd() && !(peek() == '*' && peek(1) == '/'))
            advance();
        if (!atEnd()) {
            advance();
            advance();
        }
    }

    const std::string& m_text;
    size_t m_pos = 0;
    int m_line = 1;
};

void error(const std::string& path, int line, const std::string& text) {
    Output::instance().error("file: " + path + " line " + std::to_string(line) + ": " + text);
}

void warning(const std::string& path, int line, const std::string& text) {
    Output::instance().warning("file: " + path + " line " + std::to_string(line) + ": " + text);
}

// The node named in a plug or node string: "|a|b.t" gives the node at
// "|a|b", ":time1.o" gives "time1".
Node* nodeNamedIn(const std::string& plug) {
    std::string name = plug.substr(0, plug.find('.'));
    if (name.empty())
        return nullptr;
    return commands::findNode(name);
}

// The words of a command that are not flags or flag arguments; flags that
// take one argument are named in `withArgument`.
std::vector<std::string> positional(const std::vector<std::string>& words,
                                    std::initializer_list<const char*> withArgument) {
    std::vector<std::string> out;
    for (size_t i = 1; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w.size() > 1 && w[0] == '-' && !std::isdigit(static_cast<unsigned char>(w[1])) &&
            w[1] != '.') {
            for (const char* flag : withArgument)
                if (w == flag)
                    ++i;
            continue;
        }
        out.push_back(w);
    }
    return out;
}

std::string quotedWord(const std::string& word) {
    std::string out = "\"";
    for (char c : word) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

class Reader {
public:
    explicit Reader(const std::string& path) : m_path(path) {}

    // Runs one statement; false when it failed.
    bool run(const Statement& s) {
        const std::vector<std::string> words = statementWords(s.text);
        if (words.empty())
            return execute(s);
        const std::string& command = words[0];
        if (command == "createNode")
            return createNode(s, words);
        if (command == "select") {
            const bool ok = execute(s);
            noteCurrent();
            return ok;
        }
        if (command == "requires")
        return requires(s, words);
        if (command == "addAttr" && m_current && !m_current->kept && alreadyThere(words))
            return true;
        if (m_current && !m_current->kept) {
            std::string problem;
            if (m_meshes.take(*m_current, words, problem)) {
                if (!problem.empty())
                    error(m_path, s.line, problem);
                return problem.empty();
            }
        }
        if (m_current && m_current->kept &&
            (command == "setAttr" || command == "addAttr" || command == "lockNode") &&
            ownsStatement(words)) {
            m_current->kept->lines.push_back(s.text);
            return true;
        }
        if (command == "connectAttr" || command == "disconnectAttr") {
            for (const std::string& plug : positional(words, {"-l", "-lock"})) {
                Node* node = nodeNamedIn(plug);
                if (node && node->kept) {
                    keptText().connections.push_back(s.text);
                    return true;
                }
            }
        }
        return execute(s);
    }

    // Gives the meshes read in the application's layout their geometry.
    size_t finish(int lastLine) {
        const std::vector<std::string> problems = m_meshes.apply();
        for (const std::string& problem : problems)
            error(m_path, lastLine, problem);
        return problems.size();
    }

private:
    bool execute(const Statement& s) {
        return mel::Interpreter::instance().execute(s.text, nullptr, m_path, s.line);
    }

    void noteCurrent() {
        MSelectionList active;
        MGlobal::getActiveSelectionList(active);
        MObject object;
        m_current =
            active.length() > 0 && active.getDependNode(0, object) ? nodeOf(object) : nullptr;
    }

    // A setAttr, addAttr or lockNode line belongs to the current node unless
    // it names another node.
    bool ownsStatement(const std::vector<std::string>& words) const {
        for (const std::string& w : positional(words, {"-type", "-s", "-size", "-k", "-keyable",
                                                       "-l", "-lock", "-cb", "-channelBox"})) {
            if (w.empty() || w[0] == '.')
                return true;
            Node* named = nodeNamedIn(w);
            return !named || named == m_current;
        }
        return true;
    }

    // An attribute the node has already, built in or added by an earlier
    // line, is not added again; the one there serves.
    bool alreadyThere(const std::vector<std::string>& words) const {
        for (size_t i = 1; i + 1 < words.size(); ++i)
            if (words[i] == "-ln" || words[i] == "-longName")
                return m_current->findAttribute(words[i + 1]) != nullptr;
        return false;
    }

    // A node of a type nobody registered is made as a stand-in that keeps
    // what the file says of it.
    bool createNode(const Statement& s, const std::vector<std::string>& words) {
        const std::vector<std::string> args = positional(words, {"-n", "-name", "-p", "-parent"});
        if (args.empty() || NodeTypeRegistry::instance().find(args[0])) {
            const bool ok = execute(s);
            noteCurrent();
            return ok;
        }
        const std::string& type = args[0];
        warning(m_path, s.line,
                "Unrecognized node type '" + type +
                    "'; preserving node information during this session.");
        bool parented = false;
        for (const std::string& w : words)
            parented = parented || w == "-p" || w == "-parent";
        std::string text = "createNode";
        bool typeDone = false;
        for (size_t i = 1; i < words.size(); ++i) {
            const bool isType = !typeDone && words[i] == type;
            typeDone = typeDone || isType;
            const bool flag = words[i].size() > 1 && words[i][0] == '-' &&
                              std::isalpha(static_cast<unsigned char>(words[i][1]));
            text += " " + (isType ? std::string(parented ? "unknownDag" : "unknown")
                           : flag ? words[i]
                                  : quotedWord(words[i]));
        }
        const bool ok = execute({text + ";", s.line});
        noteCurrent();
        if (ok && m_current)
            m_current->kept = std::make_unique<Node::Kept>(Node::Kept{type, {}});
        return ok;
    }

    // A plug-in that cannot be loaded is shown and its requires line kept;
    // reading goes on, and its nodes become stand-ins.
    bool requires(const Statement& s, const std::vector<std::string>& words) {
        if (execute(s))
            return true;
        const std::vector<std::string> args = positional(words, {"-nodeType", "-dataType"});
        if (!args.empty() && !plugin::PluginManager::instance().find(args[0]))
            keptText().requiresLines.push_back(s.text);
        return false;
    }

    const std::string& m_path;
    Node* m_current = nullptr;
    MeshLayout m_meshes;
};

}  // namespace

std::vector<Statement> splitStatements(const std::string& text, Statement& unfinished) {
    std::vector<Statement> statements;
    Scanner scan(text);
    unfinished = Statement{};
    for (;;) {
        scan.skipGap();
        if (scan.atEnd())
            return statements;
        const size_t start = scan.pos();
        const int line = scan.line();
        int depth = 0;
        while (!scan.atEnd() && !(scan.peek() == ';' && depth <= 0)) {
            if (scan.peek() == '{')
                ++depth;
            else if (scan.peek() == '}')
                --depth;
            scan.skipElement();
        }
        if (scan.atEnd()) {
            unfinished = Statement{text.substr(start), line};
            return statements;
        }
        scan.advance();
        statements.push_back(Statement{text.substr(start, scan.pos() - start), line});
    }
}

std::vector<std::string> statementWords(const std::string& statement) {
    std::vector<std::string> words;
    size_t i = 0;
    const size_t n = statement.size();
    while (i < n) {
        const char c = statement[i];
        if (isBlank(c) || c == ';') {
            ++i;
        } else if (c == '"') {
            std::string word;
            for (++i; i < n && statement[i] != '"'; ++i) {
                if (statement[i] == '\\' && i + 1 < n)
                    ++i;
                word += statement[i];
            }
            ++i;
            words.push_back(word);
        } else {
            const size_t start = i;
            while (i < n && !isBlank(statement[i]) && statement[i] != ';')
                ++i;
            words.push_back(statement.substr(start, i - start));
        }
    }
    return words;
}

std::string notASceneFile(const std::string& text) {
    if (text.find('\0') != std::string::npos)
        return "it holds binary data";
    if (text.compare(0, 6, "//Maya") == 0)
        return "";
    // Without the header, a requires maya line marks a scene file.
    Statement unfinished;
    for (const Statement& s : splitStatements(text, unfinished)) {
        const std::vector<std::string> words = statementWords(s.text);
        if (words.size() > 1 && words[0] == "requires" && words[1] == "maya")
            return "";
    }
    return "it has neither a scene header nor a requires maya line";
}

ReadCount readScene(const std::string& path, const std::string& text) {
    ReadCount count;
    Reader reader(path);
    Statement unfinished;
    for (const Statement& s : splitStatements(text, unfinished)) {
        ++count.statements;
        if (!reader.run(s))
            ++count.failed;
    }
    int lastLine = 1;
    for (char c : text)
        lastLine += c == '\n';
    if (!unfinished.text.empty()) {
        ++count.statements;
        ++count.failed;
        error(path, unfinished.line, "The file ends inside a statement.");
    }
    count.failed += reader.finish(lastLine);
    return count;
}

}  // namespace files
}  // namespace host
