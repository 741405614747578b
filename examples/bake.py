# Freezes what a particle instancer draws into real objects: examples/bake.mel
# written in Python.
#
#     minimaya examples/bake.py
#
# or from a plain python3 that has the build's python folder on PYTHONPATH:
#
#     PYTHONPATH=build/python python3 examples/bake.py
#
# Builds a small scene (an emitter whose particles are born and die, and an
# instancer showing one of three objects per particle, turned by the
# particle's velocity and scaled by its position, with gravity pulling the
# stream down), bakes every 4th frame of 1 to 24 into placed copies, saves
# the result as bake_result.ma in the working folder, and prints the copies
# made.

import maya.standalone

maya.standalone.initialize()

import maya.cmds as cmds  # noqa: E402

cmds.loadPlugin("DravikTools")
cmds.file(f=True, new=True)

# What the particles show: a cube, a cone that sits in a moved and scaled
# group, and a small two-level hierarchy.
cmds.polyCube(n="cube")
cmds.setAttr("cube.rotate", 10, 20, 30)
cmds.group(em=True, n="rig")
cmds.setAttr("rig.translate", 0, 2, 0)
cmds.setAttr("rig.scale", 2, 2, 2)
cmds.polyCube(n="cone")
cmds.parent("cone", "rig")
cmds.setAttr("cone.rotateY", 45)
cmds.group(em=True, n="ball")
cmds.polySphere(n="ballTop")
cmds.parent("ballTop", "ball")
cmds.setAttr("ballTop.translateY", 1)

# Particles streaming away from (5, 5, 5), each living 0 to 3 seconds.
cmds.emitter(pos=(5, 5, 5), typ="direction", r=40, dx=1, dy=1, dz=1, sp=0.1, spd=4, srn=1,
             n="emitter1")
cmds.particle()
cmds.connectDynamic("particle1", em="emitter1")
cmds.addAttr("particleShape1", ln="lifespanPP", dt="doubleArray")
cmds.addAttr("particleShape1", ln="lifespanPP0", dt="doubleArray")
cmds.addAttr("particleShape1", ln="lifespan", at="double")
cmds.setAttr("particleShape1.lifespanMode", 2)
cmds.setAttr("particleShape1.lifespan", 1.5)
cmds.setAttr("particleShape1.lifespanRandom", 3)
cmds.gravity(m=2, n="gravity1")
cmds.connectDynamic("particle1", f="gravity1")

# The object per particle follows its lifespan (0, 1 or 2 whole seconds).
cmds.particleInstancer("particleShape1", obj=["cube", "cone", "ball"], oi="lifespanPP",
                       r="velocity", sc="position", n="instancer1")

copies = cmds.dkUninstancer("instancer1", sf=1, ef=24, fs=4)

cmds.file(rename="bake_result.ma")
cmds.file(save=True, type="mayaAscii")

print(f"dkUninstancer made {len(copies)} copies:")
for copy in copies:
    print(copy)
