#pragma once
// Values crossing between Python and the script language.

#include "script/Value.h"

#include <pybind11/pybind11.h>

namespace host {
namespace python {

// A script value as the Python object scripts expect: int, float, str, or a list of them
// (a vector as a list of three floats, a matrix as a list of rows). boolean makes an int a
// bool, for results commands set as one.
pybind11::object toPython(const mel::Value& value, bool boolean = false);

// One scalar argument: a bool or an int as an int, a float as a float, anything else as its
// text.
mel::Value scalarToMel(pybind11::handle object);

// What a Python value hands back to the script language: scalars as above, a list or tuple
// as an int[], float[] or string[] after its elements (string[] when they are mixed with
// texts). False for None, which gives no result.
bool toMel(pybind11::handle object, mel::Value& value);

}  // namespace python
}  // namespace host
