#pragma once
// Full standard streams, with the names plug-ins traditionally use unqualified.

#include <maya/MIOStreamFwd.h>

#include <fstream>
#include <iomanip>
#include <iostream>

using std::cerr;
using std::cin;
using std::cout;
using std::endl;
using std::flush;
using std::ifstream;
using std::ios;
using std::istream;
using std::ofstream;
using std::ostream;
