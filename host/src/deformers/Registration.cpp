#include "Startup.h"
#include "animation/Curve.h"
#include "deformers/BlendShape.h"

namespace host {

void registerCurvesAndDeformers() {
    animation::registerCurveTypes();
    deformers::registerBlendShapeType();
    animation::registerKeyCommands();
    deformers::registerBlendShapeCommand();
}

}  // namespace host
