"""Every command the host knows, as a function: cmds.name(*objects, **flags).

Flags take their long or short names. A flag without arguments is switched on by True;
query and edit are q=True and e=True, with the queried flag set to True. A flag of several
arguments takes a tuple, a flag used several times a list. A failure raises RuntimeError
with the error line the host would show.

Commands are looked up at each use, so that those of a plug-in appear when it is loaded
and are gone when it is unloaded.
"""

import functools

from . import _api


def __getattr__(name):
    if name.startswith("__") or not _api.command_exists(name):
        raise AttributeError(f"module 'maya.cmds' has no attribute '{name}'")
    command = functools.partial(_api.call, name)
    command.__name__ = name
    return command


def __dir__():
    return _api.commands()
