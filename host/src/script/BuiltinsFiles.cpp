// The language's file I/O on real files through ids handed out by fopen, the file tests, the
// small file-system command sysFile, and system and exec, which run shell commands.
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "Builtins.h"

extern char** environ;

namespace host::mel {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Open files by id. Ids are never reused within a session, so a stale id held by a script
// cannot reach a file opened later.
class OpenFiles {
public:
    int open(const std::string& name, const std::string& mode) {
        std::FILE* f = std::fopen(name.c_str(), mode.c_str());
        if (!f)
            return 0;
        files_[next_] = FileHandle(f);
        return next_++;
    }
    std::FILE* find(const Value& id, const char* command) {
        auto it = files_.find(id.asInt());
        if (it == files_.end())
            throw BuiltinError{std::string(command) + ": invalid file identifier " + id.text() +
                               "."};
        return it->second.get();
    }
    void close(const Value& id, const char* command) {
        find(id, command);
        files_.erase(id.asInt());
    }

private:
    std::map<int, FileHandle> files_;
    int next_ = 1;
};

OpenFiles& openFiles() {
    static OpenFiles files;
    return files;
}

bool validMode(const std::string& mode) {
    if (mode.empty() || std::strchr("rwa", mode[0]) == nullptr)
        return false;
    for (std::size_t i = 1; i < mode.size(); ++i)
        if (mode[i] != '+' && mode[i] != 'b')
            return false;
    return true;
}

std::string readLine(std::FILE* f) {
    std::string line;
    int c;
    while ((c = std::fgetc(f)) != EOF) {
        line += static_cast<char>(c);
        if (c == '\n')
            break;
    }
    return line;
}

std::string readWord(std::FILE* f) {
    int c;
    while ((c = std::fgetc(f)) != EOF && std::isspace(c))
        ;
    std::string word;
    while (c != EOF && !std::isspace(c)) {
        word += static_cast<char>(c);
        c = std::fgetc(f);
    }
    if (c != EOF)
        std::ungetc(c, f);
    return word;
}

// The scalar forms fprint and fwrite accept.
const Value& scalarArg(const Value& v, const char* command) {
    if (v.isArray() || v.type() == Type::Matrix)
        throw BuiltinError{std::string(command) +
                           ": the value must be an int, float, string or vector."};
    return v;
}

void writeBinary(std::FILE* f, const Value& v) {
    switch (v.type()) {
        case Type::Int: {
            const int i = v.asInt();
            std::fwrite(&i, sizeof i, 1, f);
            break;
        }
        case Type::Float: {
            const float x = static_cast<float>(v.asFloat());
            std::fwrite(&x, sizeof x, 1, f);
            break;
        }
        case Type::Vector: {
            const Vec3 p = v.asVector();
            const float xyz[3] = {static_cast<float>(p.x), static_cast<float>(p.y),
                                  static_cast<float>(p.z)};
            std::fwrite(xyz, sizeof xyz, 1, f);
            break;
        }
        default: {
            const std::string s = v.text();
            std::fwrite(s.c_str(), 1, s.size() + 1, f);
        }
    }
}

// The type of the dummy argument says what to read; strings stop at a NUL, EOF or 1024 bytes.
Value readBinary(std::FILE* f, const Value& dummy) {
    switch (dummy.type()) {
        case Type::Int: {
            int i = 0;
            return Value(std::fread(&i, sizeof i, 1, f) == 1 ? i : 0);
        }
        case Type::Float: {
            float x = 0;
            return Value(std::fread(&x, sizeof x, 1, f) == 1 ? static_cast<double>(x) : 0.0);
        }
        case Type::Vector: {
            float xyz[3] = {0, 0, 0};
            if (std::fread(xyz, sizeof xyz, 1, f) != 1)
                return Value(Vec3{});
            return Value(Vec3{xyz[0], xyz[1], xyz[2]});
        }
        default: {
            std::string s;
            int c;
            while (s.size() < 1024 && (c = std::fgetc(f)) != EOF && c != '\0')
                s += static_cast<char>(c);
            return Value(s);
        }
    }
}

// filetest: one test, named by the first flag; 0 for a test it does not know.
int fileTest(const std::string& flag, const std::string& path) {
    struct stat st {};
    const bool isLink = flag == "-l" || flag == "-h" || flag == "-L";
    if ((isLink ? lstat(path.c_str(), &st) : stat(path.c_str(), &st)) != 0)
        return 0;
    if (flag == "-r")
        return access(path.c_str(), R_OK) == 0;
    if (flag == "-w")
        return access(path.c_str(), W_OK) == 0;
    if (flag == "-x")
        return access(path.c_str(), X_OK) == 0;
    if (flag == "-e")
        return 1;
    if (flag == "-f")
        return S_ISREG(st.st_mode);
    if (flag == "-d")
        return S_ISDIR(st.st_mode);
    if (flag == "-s")
        return st.st_size > 0;
    if (isLink)
        return S_ISLNK(st.st_mode);
    if (flag == "-c")
        return S_ISCHR(st.st_mode);
    if (flag == "-b")
        return S_ISBLK(st.st_mode);
    if (flag == "-p")
        return S_ISFIFO(st.st_mode);
    if (flag == "-z")
        return S_ISSOCK(st.st_mode);
    if (flag == "-u")
        return (st.st_mode & S_ISUID) != 0;
    if (flag == "-g")
        return (st.st_mode & S_ISGID) != 0;
    if (flag == "-k")
        return (st.st_mode & S_ISVTX) != 0;
    return 0;
}

bool sysFile(CommandCall& call, const std::vector<Value*>&) {
    namespace fs = std::filesystem;
    const std::vector<Value>& a = call.args;
    if (!checkArgCount(call, "sysFile", 2, 3))
        return false;
    const std::string flag = a[0].text();
    const bool withTarget = flag == "-rename" || flag == "-ren" || flag == "-move" ||
                            flag == "-mov" || flag == "-copy" || flag == "-cp";
    if (a.size() != (withTarget ? 3u : 2u)) {
        Interpreter::instance().reportError("Wrong number of arguments on call to sysFile.");
        return false;
    }
    const fs::path path = a.back().text();
    std::error_code ec;
    bool ok = false;
    if (flag == "-makeDir" || flag == "-md") {
        fs::create_directories(path, ec);
        ok = !ec && fs::is_directory(path, ec);
    } else if (flag == "-delete" || flag == "-del") {
        ok = !fs::is_directory(path, ec) && fs::remove(path, ec);
    } else if (flag == "-removeEmptyDir" || flag == "-red") {
        ok = fs::is_directory(path, ec) && fs::is_empty(path, ec) && fs::remove(path, ec);
    } else if (withTarget) {
        // sysFile -rename new old: the new name is the flag's argument.
        const fs::path target = a[1].text();
        if (flag == "-copy" || flag == "-cp") {
            ok = fs::copy_file(path, target, fs::copy_options::overwrite_existing, ec);
        } else {
            fs::rename(path, target, ec);
            ok = true;
        }
    } else {
        Interpreter::instance().reportError("sysFile: Invalid flag \"" + flag + "\".");
        return false;
    }
    call.result = Value(ok && !ec);
    call.hasResult = true;
    return true;
}

// Runs the text through the shell and returns what it wrote to its standard output.
std::string runShell(const std::string& command) {
    std::fflush(nullptr);
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        throw BuiltinError{"system: cannot run the command: " + std::string(std::strerror(errno)) +
                           "."};
    std::string out;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    pclose(pipe);
    return out;
}

// Starts the text in the shell without waiting; children that have ended by the next call
// are reaped then, so none lingers for long.
int startShell(const std::string& command) {
    static std::vector<pid_t> running;
    for (auto it = running.begin(); it != running.end();)
        it = waitpid(*it, nullptr, WNOHANG) != 0 ? running.erase(it) : std::next(it);
    std::fflush(nullptr);
    const char* argv[] = {"sh", "-c", command.c_str(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char* const*>(argv), environ) !=
        0)
        throw BuiltinError{"exec: cannot run the command."};
    running.push_back(pid);
    return static_cast<int>(pid);
}

}  // namespace

void registerFileBuiltins(Interpreter& in) {
    // Without a mode the file is opened for writing, as the command reference says.
    defineFunction(in, "fopen", 1, 2, [](const std::vector<Value>& a) {
        const std::string mode = a.size() > 1 ? a[1].text() : "w";
        if (!validMode(mode))
            throw BuiltinError{"fopen: invalid mode \"" + mode + "\"."};
        return Value(openFiles().open(a[0].text(), mode));
    });
    defineFunction(in, "fclose", 1, 1, [](const std::vector<Value>& a) {
        openFiles().close(a[0], "fclose");
        return Value(0);
    });
    in.defineBuiltin("fprint", [](CommandCall& call, const std::vector<Value*>&) {
        if (!checkArgCount(call, "fprint", 2, 2))
            return false;
        try {
            std::FILE* f = openFiles().find(call.args[0], "fprint");
            const std::string text = scalarArg(call.args[1], "fprint").text();
            std::fwrite(text.data(), 1, text.size(), f);
        } catch (const BuiltinError& e) {
            Interpreter::instance().reportError(e.message);
            return false;
        }
        return true;
    });
    in.defineBuiltin("fwrite", [](CommandCall& call, const std::vector<Value*>&) {
        if (!checkArgCount(call, "fwrite", 2, 2))
            return false;
        try {
            writeBinary(openFiles().find(call.args[0], "fwrite"),
                        scalarArg(call.args[1], "fwrite"));
        } catch (const BuiltinError& e) {
            Interpreter::instance().reportError(e.message);
            return false;
        }
        return true;
    });
    defineFunction(in, "fread", 2, 2, [](const std::vector<Value>& a) {
        return readBinary(openFiles().find(a[0], "fread"), scalarArg(a[1], "fread"));
    });
    defineFunction(in, "fgetline", 1, 1, [](const std::vector<Value>& a) {
        return Value(readLine(openFiles().find(a[0], "fgetline")));
    });
    defineFunction(in, "fgetword", 1, 1, [](const std::vector<Value>& a) {
        return Value(readWord(openFiles().find(a[0], "fgetword")));
    });
    defineFunction(in, "feof", 1, 1, [](const std::vector<Value>& a) {
        return Value(std::feof(openFiles().find(a[0], "feof")) ? 1 : 0);
    });
    defineFunction(in, "frewind", 1, 1, [](const std::vector<Value>& a) {
        std::rewind(openFiles().find(a[0], "frewind"));
        return Value(0);
    });
    defineFunction(in, "fflush", 1, 1, [](const std::vector<Value>& a) {
        return Value(std::fflush(openFiles().find(a[0], "fflush")));
    });
    // filetest -f path: the first word is the test; any further flags are ignored.
    defineFunction(in, "filetest", 2, SIZE_MAX, [](const std::vector<Value>& a) {
        return Value(fileTest(a[0].text(), a.back().text()));
    });
    in.defineBuiltin("sysFile", sysFile);
    defineFunction(in, "system", 1, 1,
                   [](const std::vector<Value>& a) { return Value(runShell(a[0].text())); });
    defineFunction(in, "exec", 1, 1,
                   [](const std::vector<Value>& a) { return Value(startShell(a[0].text())); });
}

}  // namespace host::mel
