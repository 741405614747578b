#include "scene/DKfnParticleSystem.h"

#include "plugin/DKexception.h"
#include "scene/DKnumeric.h"
#include "scene/DKplugLookup.h"

#include <maya/MFileIO.h>
#include <maya/MFn.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnDoubleArrayData.h>
#include <maya/MFnIntArrayData.h>
#include <maya/MFnStringArrayData.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>
#include <maya/MStringArray.h>
#include <maya/MTime.h>

#include <sstream>
#include <string>

namespace {

template <typename Values>
struct PerParticle;

template <>
struct PerParticle<MIntArray> {
    using Data = MFnIntArrayData;
    using Other = MDoubleArray;
    static constexpr const char* kind = "int";
    static bool holds(const MFnParticleSystem& fn, const MString& name) {
        return fn.isPerParticleIntAttribute(name);
    }
    static int convert(double value) { return truncateToInt(value); }
};

template <>
struct PerParticle<MDoubleArray> {
    using Data = MFnDoubleArrayData;
    using Other = MIntArray;
    static constexpr const char* kind = "double";
    static bool holds(const MFnParticleSystem& fn, const MString& name) {
        return fn.isPerParticleDoubleAttribute(name);
    }
    static double convert(int value) { return value; }
};

const char* const kNoInstancer = " is not associated with an instancer.";
const char* const kSeveralInstancers =
    " has more than one instancer associated with it. Please use the -instancer flag to "
    "indicate which instancer should be uninstanced.";

DKexception shapeError(const MString& shapeName, const char* text) {
    return DKexception(std::string(shapeName.asChar()) + text);
}

}  // namespace

DKfnParticleSystem::DKfnParticleSystem(MObject& node, MStatus* status)
    : MFnParticleSystem(node, status) {}

DKfnParticleSystem::DKfnParticleSystem(const MObject& node, MStatus* status)
    : MFnParticleSystem(node, status) {}

DKfnParticleSystem::~DKfnParticleSystem() = default;

template <typename Values>
unsigned int DKfnParticleSystem::readPerParticleAttribute(const MString& attributeName,
                                                          Values& values, MStatus* status) {
    if (!MFileIO::isReadingFile()) {
        MString name(attributeName);
        return MFnParticleSystem::getPerParticleAttribute(name, values, status);
    }
    // While a file is read the particles must not be evaluated; the plug
    // holds what the file stored.
    MPlug plug = findNodePlug(object(), attributeName);
    MObject data;
    plug.getValue(data);
    typename PerParticle<Values>::Data array(data);
    const MStatus copied = array.copyTo(values);
    if (status != NULL) {
        *status = copied;
    }
    return values.length();
}

unsigned int DKfnParticleSystem::getPerParticleAttribute(const MString& attributeName,
                                                         MIntArray& values, MStatus* status) {
    return readPerParticleAttribute(attributeName, values, status);
}

unsigned int DKfnParticleSystem::getPerParticleAttribute(const MString& attributeName,
                                                         MDoubleArray& values, MStatus* status) {
    return readPerParticleAttribute(attributeName, values, status);
}

template <typename Values>
void DKfnParticleSystem::getPerParticleValues(Values& values, const MString& attributeName) {
    using Traits = PerParticle<Values>;
    using Other = typename Traits::Other;
    auto read = [&](auto& into) {
        MStatus status;
        getPerParticleAttribute(attributeName, into, &status);
        if (status != MS::kSuccess) {
            std::stringstream message;
            message << "Unable to query per-particle data from " << name().asChar() << "."
                    << attributeName.asChar();
            throw DKmayaException(message.str());
        }
    };

    values.clear();
    if (Traits::holds(*this, attributeName)) {
        read(values);
        return;
    }
    if (PerParticle<Other>::holds(*this, attributeName)) {
        Other stored;
        read(stored);
        values.setLength(stored.length());
        for (unsigned int i = 0; i < stored.length(); ++i) {
            values[i] = Traits::convert(stored[i]);
        }
        return;
    }
    std::stringstream message;
    message << name().asChar() << "." << attributeName.asChar() << " is not a valid per-particle "
            << Traits::kind << " attribute.";
    throw DKexception(message.str());
}

void DKfnParticleSystem::getPerParticleInts(MIntArray& values, const MString& attributeName) {
    getPerParticleValues(values, attributeName);
}

void DKfnParticleSystem::getPerParticleDoubles(MDoubleArray& values, const MString& attributeName) {
    getPerParticleValues(values, attributeName);
}

MObject DKfnParticleSystem::checkedObject() const {
    MStatus status;
    MObject node = object(&status);
    checkStatus(status, "Unable to access particle system MObject.");
    return node;
}

MObject DKfnParticleSystem::instancer() {
    const MObject node = checkedObject();
    const MString shapeName = name();

    MPlug instanceData(node, attribute("instanceData"));
    const unsigned int elements = instanceData.numElements();
    if (elements == 0) {
        throw shapeError(shapeName, kNoInstancer);
    }
    if (elements > 1) {
        throw shapeError(shapeName, kSeveralInstancers);
    }

    // Element 0 is examined whatever the one element's logical index is.
    MObject pointDataAttribute = attribute("instancePointData");
    MPlug pointData = instanceData.elementByLogicalIndex(0).child(pointDataAttribute);
    MPlugArray targets;
    MStatus status;
    pointData.connectedTo(targets, false, true, &status);
    checkStatus(status);
    if (targets.length() == 0) {
        throw shapeError(shapeName, kNoInstancer);
    }
    if (targets.length() > 1) {
        throw shapeError(shapeName, kSeveralInstancers);
    }

    MObject other = targets[0].node(&status);
    checkStatus(status);
    if (!other.hasFn(MFn::kInstancer)) {
        std::stringstream message;
        message << shapeName.asChar() << " is connected to "
                << MFnDependencyNode(other).name().asChar()
                << " which is not a particle instancer.";
        throw DKexception(message.str());
    }
    return other;
}

MString DKfnParticleSystem::mappedAttribute(const MString& option, unsigned int instanceDataIndex) {
    const MObject node = checkedObject();
    MObject mappingAttribute = attribute("instanceAttributeMapping");
    MPlug mapping = MPlug(node, attribute("instanceData"))
                        .elementByLogicalIndex(instanceDataIndex)
                        .child(mappingAttribute);
    MObject data;
    mapping.getValue(data);
    MStatus status;
    MFnStringArrayData pairs(data, &status);
    if (status != MS::kSuccess) {
        return MString();
    }
    const MStringArray entries = pairs.array();
    // Only whole pairs count; the first pair naming the option wins.
    for (unsigned int k = 0; k + 1 < entries.length(); k += 2) {
        if (entries[k] == option) {
            return entries[k + 1];
        }
    }
    return MString();
}

void DKfnParticleSystem::evaluateDynamicsBefore(int frame) {
    MTime before(static_cast<double>(frame) - 1.0, MTime::uiUnit());
    evaluateDynamics(before, true);
}
