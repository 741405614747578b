#pragma once
// Stream declarations for headers that only name std::ostream / std::istream.

#include <iosfwd>

#define IOS_REF(_ios_type) std::_ios_type
