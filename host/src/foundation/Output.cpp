#include "Output.h"

#include <iostream>

namespace host {

Output& Output::instance() {
    static Output output;
    return output;
}

Output::Output() : echo_(&std::cout) {}

void Output::write(const std::string& text, bool flush) {
    if (echo_) {
        *echo_ << text;
        if (flush)
            echo_->flush();
    }
    if (captured_.size() + text.size() > kCaptureLimit) {
        // Keep the newest half of the limit (or less, for one oversized write).
        std::size_t keep = kCaptureLimit / 2;
        if (text.size() >= keep) {
            captured_.clear();
            captured_.append(text, text.size() - keep, keep);
            return;
        }
        captured_.erase(0, captured_.size() - (keep - text.size()));
    }
    captured_ += text;
}

void Output::error(const std::string& text) {
    if (suppressed_ > 0)
        return;
    if (diverted_) {
        diverted_->push_back(text);
        return;
    }
    errors_.push_back(text);
    write("// Error: " + text + " //\n", true);
}

void Output::warning(const std::string& text) {
    write("// Warning: " + text + " //\n", true);
}

void Output::info(const std::string& text) {
    write(text + "\n", false);
}

void Output::print(const std::string& text) {
    write(text, false);
}

void Output::result(const std::string& text) {
    write("// Result: " + text + " //\n", false);
}

std::vector<std::string>* Output::divertErrors(std::vector<std::string>* sink) {
    std::vector<std::string>* before = diverted_;
    diverted_ = sink;
    return before;
}

void Output::unsuppressErrors() {
    if (suppressed_ > 0)
        --suppressed_;
}

}  // namespace host
