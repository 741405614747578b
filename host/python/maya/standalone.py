"""Starts the host inside a Python interpreter, as batch jobs do:

    import maya.standalone
    maya.standalone.initialize()
"""

from . import _api


def initialize(name="python"):
    """Sets the host up: its node types, its commands and the script paths. Once is enough;
    later calls change nothing."""
    _api.initialize(name)


def uninitialize():
    """Nothing to release: the host goes with the process."""
