#pragma once
// Character string of the host API (8-bit characters, UTF-8 where non-ASCII).

#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <iostream>
#include <string>

class MStringArray;

namespace host {
struct StringAccess;
}  // namespace host

class OPENMAYA_EXPORT MString {
public:
    MString();
    MString(const char* charString);
    MString(const char* charString, int charLength);
    MString(const MString& other);
    ~MString();

    MString& operator=(const MString& other);
    MString& operator=(const char* other);
    MString& operator+=(const MString& other);
    MString& operator+=(const char* other);
    MString& operator+=(double other);
    MString& operator+=(float other);
    MString& operator+=(int other);
    MString& operator+=(unsigned int other);

    MString operator+(const MString& other) const;
    MString operator+(const char* other) const;
    MString operator+(double other) const;

    bool operator==(const MString& other) const;
    bool operator==(const char* other) const;
    bool operator!=(const MString& other) const;
    bool operator!=(const char* other) const;

    MStatus set(const char* charString);
    MStatus set(const char* charString, int charLength);
    MStatus set(double value);
    MStatus set(double value, int precision);

    const char* asChar() const;
    const char* asChar(int& length) const;
    const char* asUTF8() const;
    const char* asUTF8(int& length) const;
    MStatus setUTF8(const char* utf8String);

    unsigned int length() const;
    unsigned int numChars() const;
    void clear();

    int index(char ch) const;
    int rindex(char ch) const;
    MStatus split(char delimiter, MStringArray& output) const;
    MString substring(int start, int end) const;
    MString& toUpperCase();
    MString& toLowerCase();

    bool isShort() const;
    short asShort() const;
    bool isInt() const;
    int asInt() const;
    bool isUnsigned() const;
    unsigned int asUnsigned() const;
    bool isFloat() const;
    float asFloat() const;
    bool isDouble() const;
    double asDouble() const;

    friend OPENMAYA_EXPORT MString operator+(const char* left, const MString& right);
    friend OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, const MString& str);

private:
    friend struct host::StringAccess;
    std::string fString;
};
