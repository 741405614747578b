#include "scene/DKfnParticleInstancer.h"

#include "plugin/DKexception.h"

#include <maya/MPlugArray.h>

#include <cstring>

DKfnParticleInstancer::DKfnParticleInstancer(MObject& instancer, MStatus* status)
    : MFnDagNode(instancer, status) {}

DKfnParticleInstancer::~DKfnParticleInstancer() = default;

MObject DKfnParticleInstancer::checkedObject() const {
    MStatus status;
    MObject node = object(&status);
    checkStatus(status, "Error getting particle instancer MObject.");
    return node;
}

unsigned int DKfnParticleInstancer::particleSystem(MObject& particleShape) {
    const MObject node = checkedObject();
    MPlug inputPoints(node, attribute("inputPoints"));
    MPlugArray sources;
    MStatus status;
    inputPoints.connectedTo(sources, true, false, &status);
    checkStatus(status);
    if (sources.length() != 1) {
        throw DKexception("No particle system associated with the instancer.");
    }
    particleShape = sources[0].node(&status);
    checkStatus(status);
    // The source is the shape's "instancePointData" child; its parent is
    // the "instanceData" element.
    return sources[0].parent().logicalIndex();
}

std::uintptr_t DKfnParticleInstancer::instancerId() {
    const MObject node = checkedObject();
    std::uintptr_t id = 0;
    static_assert(sizeof(MObject) >= sizeof(id), "an MObject holds at least one pointer");
    std::memcpy(&id, &node, sizeof(id));
    return id;
}

MPlug DKfnParticleInstancer::inputHierarchyPlug() {
    const MObject node = checkedObject();
    return MPlug(node, attribute("inputHierarchy"));
}

MObject DKfnParticleInstancer::hierarchyObject(unsigned int elementIndex) {
    MStatus status;
    MPlug element = inputHierarchyPlug().elementByLogicalIndex(elementIndex, &status);
    checkStatus(status, "Error accessing inputHierarchy plug element.");
    MPlugArray sources;
    element.connectedTo(sources, true, false, &status);
    checkStatus(status);
    if (sources.length() == 0) {
        return MObject::kNullObj;
    }
    MObject node = sources[0].node(&status);
    checkStatus(status);
    return node;
}
