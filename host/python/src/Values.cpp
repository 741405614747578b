#include "Values.h"

#include <climits>
#include <string>
#include <vector>

namespace py = pybind11;

namespace host {
namespace python {

namespace {

py::list floats(const std::vector<double>& values) {
    py::list list;
    for (double v : values)
        list.append(py::float_(v));
    return list;
}

py::list vectorList(const mel::Vec3& v) {
    return floats({v.x, v.y, v.z});
}

bool isSequence(py::handle object) {
    return py::isinstance<py::list>(object) || py::isinstance<py::tuple>(object);
}

}  // namespace

py::object toPython(const mel::Value& value, bool boolean) {
    switch (value.type()) {
        case mel::Type::Int:
            if (boolean)
                return py::bool_(value.asInt() != 0);
            return py::int_(value.asInt());
        case mel::Type::Float:
            return py::float_(value.asFloat());
        case mel::Type::String:
            return py::str(value.str());
        case mel::Type::Vector:
            return vectorList(value.asVector());
        case mel::Type::Matrix: {
            const mel::Matrix& m = value.matrix();
            py::list rows;
            for (int r = 0; r < m.rows; ++r) {
                py::list row;
                for (int c = 0; c < m.cols; ++c)
                    row.append(py::float_(m.at(r, c)));
                rows.append(row);
            }
            return rows;
        }
        case mel::Type::IntArray: {
            py::list list;
            for (int v : value.intArray())
                list.append(py::int_(v));
            return list;
        }
        case mel::Type::FloatArray:
            return floats(value.floatArray());
        case mel::Type::StringArray: {
            py::list list;
            for (const std::string& v : value.stringArray())
                list.append(py::str(v));
            return list;
        }
        case mel::Type::VectorArray: {
            py::list list;
            for (const mel::Vec3& v : value.vectorArray())
                list.append(vectorList(v));
            return list;
        }
    }
    return py::none();
}

mel::Value scalarToMel(py::handle object) {
    if (py::isinstance<py::bool_>(object))
        return mel::Value(object.cast<bool>());
    if (py::isinstance<py::int_>(object)) {
        // Ints wrap to the script language's 32 bits as its own arithmetic does; those too
        // wide even for 64 saturate first.
        int overflow = 0;
        long long wide = PyLong_AsLongLongAndOverflow(object.ptr(), &overflow);
        if (overflow)
            wide = overflow > 0 ? LLONG_MAX : LLONG_MIN;
        return mel::Value(wide);
    }
    if (py::isinstance<py::float_>(object))
        return mel::Value(object.cast<double>());
    return mel::Value(py::str(object).cast<std::string>());
}

bool toMel(py::handle object, mel::Value& value) {
    if (object.is_none())
        return false;
    if (!isSequence(object)) {
        value = scalarToMel(object);
        return true;
    }
    std::vector<mel::Value> items;
    bool allInts = true, allNumbers = true;
    for (py::handle item : object) {
        items.push_back(scalarToMel(item));
        allInts = allInts && items.back().type() == mel::Type::Int;
        allNumbers = allNumbers && items.back().isNumber();
    }
    const mel::Type arrayType = items.empty() || !allNumbers ? mel::Type::StringArray
                                : allInts                    ? mel::Type::IntArray
                                                             : mel::Type::FloatArray;
    value = mel::Value::defaultOf(arrayType);
    for (std::size_t i = 0; i < items.size(); ++i)
        value.setElement(i, items[i]);
    return true;
}

}  // namespace python
}  // namespace host
