"""The host application for Python scripts: maya.cmds, maya.mel and maya.standalone."""
