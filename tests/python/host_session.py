"""The host started once in this python3 for every test module, with the plug-in loaded."""

import maya.standalone

maya.standalone.initialize()

import maya.cmds as cmds  # noqa: E402

cmds.loadPlugin("DravikTools", quiet=True)


def new_scene():
    cmds.file(f=True, new=True)


def particle_scene():
    """Three particles at known places, an instancer showing two objects."""
    new_scene()
    cmds.particle(p=[(0, 0, 0), (1, 2, 3), (4, 5, 6)], n="pts")
    cmds.polyCube(n="cube")
    cmds.polyCube(n="cone")
    cmds.polySphere(n="ball")
    cmds.particleInstancer("ptsShape", obj=["cube", "cone"], n="inst")
