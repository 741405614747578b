#include <maya/MString.h>
#include <maya/MStringArray.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string_view>

namespace {

// Shortest text that reads back as the same value in the default stream format (%g-like).
template <class T>
std::string numberText(T value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

bool isBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// True when the whole text (blanks around it allowed) was consumed by a numeric parse that
// stopped at `end`.
bool onlyBlanksFrom(const char* end) {
    while (*end && isBlank(*end)) {
        ++end;
    }
    return *end == '\0';
}

bool parseLong(const std::string& text, long& value) {
    const char* begin = text.c_str();
    while (*begin && isBlank(*begin)) {
        ++begin;
    }
    if (!*begin) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    value = std::strtol(begin, &end, 10);
    return end != begin && errno == 0 && onlyBlanksFrom(end);
}

bool parseDouble(const std::string& text, double& value) {
    const char* begin = text.c_str();
    while (*begin && isBlank(*begin)) {
        ++begin;
    }
    if (!*begin) {
        return false;
    }
    char* end = nullptr;
    value = std::strtod(begin, &end);
    return end != begin && onlyBlanksFrom(end);
}

// Sized once and filled in place: chains of `+` build the command texts
// that plug-ins run once for every object they make.
void joinInto(std::string& out, std::string_view left, std::string_view right) {
    out.reserve(left.size() + right.size());
    out.append(left).append(right);
}

}  // namespace

MString::MString() = default;

MString::MString(const char* charString) : fString(charString ? charString : "") {}

MString::MString(const char* charString, int charLength) {
    set(charString, charLength);
}

MString::MString(const MString& other) = default;

MString::~MString() = default;

MString& MString::operator=(const MString& other) = default;

MString& MString::operator=(const char* other) {
    set(other);
    return *this;
}

MString& MString::operator+=(const MString& other) {
    fString += other.fString;
    return *this;
}

MString& MString::operator+=(const char* other) {
    if (other) {
        fString += other;
    }
    return *this;
}

MString& MString::operator+=(double other) {
    fString += numberText(other);
    return *this;
}

MString& MString::operator+=(float other) {
    fString += numberText(other);
    return *this;
}

MString& MString::operator+=(int other) {
    fString += numberText(other);
    return *this;
}

MString& MString::operator+=(unsigned int other) {
    fString += numberText(other);
    return *this;
}

MString MString::operator+(const MString& other) const {
    MString result;
    joinInto(result.fString, fString, other.fString);
    return result;
}

MString MString::operator+(const char* other) const {
    MString result;
    joinInto(result.fString, fString, other ? std::string_view(other) : std::string_view());
    return result;
}

MString MString::operator+(double other) const {
    MString result;
    joinInto(result.fString, fString, numberText(other));
    return result;
}

MString operator+(const char* left, const MString& right) {
    MString result;
    joinInto(result.fString, left ? std::string_view(left) : std::string_view(), right.fString);
    return result;
}

bool MString::operator==(const MString& other) const {
    return fString == other.fString;
}

bool MString::operator==(const char* other) const {
    return fString == (other ? other : "");
}

bool MString::operator!=(const MString& other) const {
    return !(*this == other);
}

bool MString::operator!=(const char* other) const {
    return !(*this == other);
}

MStatus MString::set(const char* charString) {
    fString = charString ? charString : "";
    return MS::kSuccess;
}

MStatus MString::set(const char* charString, int charLength) {
    if (!charString) {
        fString.clear();
        return MS::kInvalidParameter;
    }
    if (charLength <= 0) {
        fString.clear();
        return MS::kSuccess;
    }
    fString.assign(charString, static_cast<std::size_t>(charLength));
    return MS::kSuccess;
}

MStatus MString::set(double value) {
    fString = numberText(value);
    return MS::kSuccess;
}

MStatus MString::set(double value, int precision) {
    if (precision < 0) {
        return MS::kInvalidParameter;
    }
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*f", std::min(precision, 300), value);
    fString = buffer;
    return MS::kSuccess;
}

const char* MString::asChar() const {
    return fString.c_str();
}

const char* MString::asChar(int& length) const {
    length = static_cast<int>(fString.size());
    return fString.c_str();
}

const char* MString::asUTF8() const {
    return fString.c_str();
}

const char* MString::asUTF8(int& length) const {
    return asChar(length);
}

MStatus MString::setUTF8(const char* utf8String) {
    return set(utf8String);
}

unsigned int MString::length() const {
    return static_cast<unsigned int>(fString.size());
}

unsigned int MString::numChars() const {
    // Every byte except UTF-8 continuation bytes starts a character.
    return static_cast<unsigned int>(std::count_if(fString.begin(), fString.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

void MString::clear() {
    fString.clear();
}

int MString::index(char ch) const {
    std::size_t at = fString.find(ch);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int MString::rindex(char ch) const {
    std::size_t at = fString.rfind(ch);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

MStatus MString::split(char delimiter, MStringArray& output) const {
    // Runs of delimiters separate like one, and no empty pieces are produced.
    output.clear();
    std::size_t start = 0;
    while (start < fString.size()) {
        std::size_t end = fString.find(delimiter, start);
        if (end == std::string::npos) {
            end = fString.size();
        }
        if (end > start) {
            std::string piece = fString.substr(start, end - start);
            output.append(MString(piece.c_str(), static_cast<int>(piece.size())));
        }
        start = end + 1;
    }
    return MS::kSuccess;
}

MString MString::substring(int start, int end) const {
    // Both ends are inclusive; a range reaching outside the string is clipped to it.
    int last = static_cast<int>(fString.size()) - 1;
    start = std::max(start, 0);
    end = std::min(end, last);
    if (start > end) {
        return MString();
    }
    return MString(fString.c_str() + start, end - start + 1);
}

MString& MString::toUpperCase() {
    for (char& c : fString) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return *this;
}

MString& MString::toLowerCase() {
    for (char& c : fString) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return *this;
}

bool MString::isShort() const {
    long value = 0;
    return parseLong(fString, value) && value >= SHRT_MIN && value <= SHRT_MAX;
}

short MString::asShort() const {
    return static_cast<short>(asInt());
}

bool MString::isInt() const {
    long value = 0;
    return parseLong(fString, value) && value >= INT_MIN && value <= INT_MAX;
}

int MString::asInt() const {
    return static_cast<int>(std::strtol(fString.c_str(), nullptr, 10));
}

bool MString::isUnsigned() const {
    long value = 0;
    return parseLong(fString, value) && value >= 0 && value <= static_cast<long>(UINT_MAX) &&
           fString.find('-') == std::string::npos;
}

unsigned int MString::asUnsigned() const {
    return static_cast<unsigned int>(std::strtoul(fString.c_str(), nullptr, 10));
}

bool MString::isFloat() const {
    return isDouble();
}

float MString::asFloat() const {
    return static_cast<float>(asDouble());
}

bool MString::isDouble() const {
    double value = 0.0;
    return parseDouble(fString, value);
}

double MString::asDouble() const {
    return std::atof(fString.c_str());
}

std::ostream& operator<<(std::ostream& os, const MString& str) {
    return os << str.fString;
}
