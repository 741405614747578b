// The utility nodes compute what a network of them feeds on.

#include "commands_fixture.h"

namespace host::commands::testing {
namespace {

using ShadingNodes = CommandsTest;

TEST_F(ShadingNodes, MultiplyDivideFollowsItsOperation) {
    run("createNode transform -n ctrl; createNode transform -n body;"
        "createNode multiplyDivide -n md; setAttr md.input2 2 4 0 -type float3;"
        "connectAttr ctrl.tx md.input1X; connectAttr md.ox body.tx; connectAttr md.oy body.ty;"
        "setAttr ctrl.tx 3; setAttr md.i1y 2");
    EXPECT_EQ(number("getAttr body.tx"), 6);  // multiply is the default
    run("setAttr md.operation 2");
    EXPECT_EQ(number("getAttr body.tx"), 1.5);
    EXPECT_EQ(number("getAttr md.oz"), 0);  // a zero divisor gives 0
    run("setAttr md.op 3");
    EXPECT_EQ(number("getAttr body.ty"), 16);
    run("setAttr md.op 0; setAttr ctrl.tx 5");
    EXPECT_EQ(number("getAttr body.tx"), 5);
    EXPECT_EQ(text("getAttr -type md.output"), "float3");
}

}  // namespace
}  // namespace host::commands::testing
