#ifndef DK_SCENE_DKMAYAOBJECT_H
#define DK_SCENE_DKMAYAOBJECT_H

#include <maya/MObject.h>
#include <maya/MObjectHandle.h>
#include <maya/MString.h>

// A node reference that outlives the node's deletion and re-creation: the
// live handle answers while it can, and the recorded name finds the node
// again once the handle has gone stale. Operations waiting in the undo queue
// hold their nodes this way.
class DKmayaObject {
public:
    DKmayaObject();
    // Named by the partial DAG path for DAG nodes, by the node name otherwise.
    explicit DKmayaObject(const MObject& object);
    DKmayaObject(const MObject& object, const MString& name);
    virtual ~DKmayaObject() = default;

    DKmayaObject(const DKmayaObject&) = default;
    DKmayaObject& operator=(const DKmayaObject&) = default;

    bool isValid() const { return valid_; }
    const MString& name() const { return name_; }

    // The node designated now. A stale handle is renewed by a look-up of the
    // name; when nothing carries the name any more the reference is lost for
    // good and answers the null object. Throws when the name is ambiguous.
    MObject object();

private:
    MObjectHandle handle_;
    MString name_;
    bool valid_;
};

#endif
