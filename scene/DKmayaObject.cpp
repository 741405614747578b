#include "scene/DKmayaObject.h"

#include "plugin/DKexception.h"

#include <maya/MDagPath.h>
#include <maya/MFn.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>

#include <sstream>

namespace {

MString defaultName(const MObject& object) {
    if (object.isNull()) {
        return MString();
    }
    if (object.hasFn(MFn::kDagNode)) {
        MDagPath path;
        MDagPath::getAPathTo(object, path);
        return path.partialPathName();
    }
    MFnDependencyNode node(object);
    return node.name();
}

}  // namespace

DKmayaObject::DKmayaObject() : valid_(false) {}

DKmayaObject::DKmayaObject(const MObject& object)
    : handle_(object), name_(defaultName(object)), valid_(!object.isNull()) {}

DKmayaObject::DKmayaObject(const MObject& object, const MString& name)
    : handle_(object), name_(name), valid_(!object.isNull()) {}

MObject DKmayaObject::object() {
    if (!valid_) {
        return MObject::kNullObj;
    }
    if (handle_.isValid()) {
        return handle_.object();
    }
    MSelectionList matches;
    MGlobal::getSelectionListByName(name_, matches);
    if (matches.length() == 0) {
        valid_ = false;
        return MObject::kNullObj;
    }
    if (matches.length() > 1) {
        std::stringstream message;
        message << "More than one node matches name " << name_.asChar();
        throw DKexception(message.str());
    }
    MObject found;
    checkStatus(matches.getDependNode(0, found), "Error getting valid object from object name");
    handle_ = found;
    return found;
}
