#ifndef HOST_ANIMATION_CURVECHANGES_H
#define HOST_ANIMATION_CURVECHANGES_H

#include "animation/Curve.h"

#include <maya/MAnimCurveChange.h>

#include <vector>

namespace host {
namespace animation {

// What an MAnimCurveChange remembers: each edited curve's keys before and
// after each edit, in edit order.
struct CurveChanges {
    struct Edit {
        NodePtr curve;
        Curve before, after;
    };
    std::vector<Edit> edits;

    static CurveChanges& of(MAnimCurveChange& change);
    void add(Node& curve, const Curve& before, const Curve& after);
    void undo() const;
    void redo() const;
};

}  // namespace animation
}  // namespace host

#endif
