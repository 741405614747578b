#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

namespace host {

// The one sink for everything the host shows the user: the script editor's error, warning,
// info and result lines and MEL's print. Every line is echoed (to std::cout unless changed)
// and kept in a capture buffer that tests read back.
class Output {
public:
    static Output& instance();

    void error(const std::string& text);    // "// Error: text //"
    void warning(const std::string& text);  // "// Warning: text //"
    void info(const std::string& text);     // text as a line
    void print(const std::string& text);    // text as given, no newline added
    void result(const std::string& text);   // "// Result: text //"

    // nullptr silences the echo; capturing goes on regardless.
    void setEcho(std::ostream* stream) { echo_ = stream; }
    std::ostream* echo() const { return echo_; }

    std::string captured() const { return captured_; }
    void clearCaptured() { captured_.clear(); }

    // The raw texts given to error(), in order.
    const std::vector<std::string>& errors() const { return errors_; }
    void clearErrors() { errors_.clear(); }

    // While suppressed (catchQuiet), error() writes and records nothing. Nests.
    void suppressErrors() { ++suppressed_; }
    void unsuppressErrors();
    bool errorsSuppressed() const { return suppressed_ > 0; }

    // While diverted, error() hands its text to the sink instead of showing it, for callers
    // that report failures their own way (a Python exception). Returns the sink before.
    std::vector<std::string>* divertErrors(std::vector<std::string>* sink);

    // The capture buffer keeps at most this many bytes, dropping the oldest output, so that
    // long sessions that print a lot do not grow without end.
    static constexpr std::size_t kCaptureLimit = 64u << 20;

private:
    Output();
    void write(const std::string& text, bool flush);

    std::ostream* echo_;
    std::string captured_;
    std::vector<std::string> errors_;
    int suppressed_ = 0;
    std::vector<std::string>* diverted_ = nullptr;
};

// Suppresses error lines for its lifetime.
class ErrorSuppression {
public:
    ErrorSuppression() { Output::instance().suppressErrors(); }
    ~ErrorSuppression() { Output::instance().unsuppressErrors(); }
    ErrorSuppression(const ErrorSuppression&) = delete;
    ErrorSuppression& operator=(const ErrorSuppression&) = delete;
};

// Takes the error lines written during its lifetime instead of showing them.
class ErrorCapture {
public:
    ErrorCapture() : before_(Output::instance().divertErrors(&lines)) {}
    ~ErrorCapture() { Output::instance().divertErrors(before_); }
    ErrorCapture(const ErrorCapture&) = delete;
    ErrorCapture& operator=(const ErrorCapture&) = delete;

    std::vector<std::string> lines;

private:
    std::vector<std::string>* before_;
};

}  // namespace host
