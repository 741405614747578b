"""Python through minimaya: script files, -py texts, and MEL scripts that call python."""

import os
import subprocess
import tempfile
import unittest

MINIMAYA = os.environ.get("MINIMAYA", "minimaya")


def run(*args):
    done = subprocess.run([MINIMAYA, *args], capture_output=True, text=True, timeout=60)
    return done.returncode, done.stdout


class MinimayaPython(unittest.TestCase):
    def script(self, text, suffix=".py"):
        handle, path = tempfile.mkstemp(suffix=suffix)
        with os.fdopen(handle, "w") as file:
            file.write(text)
        self.addCleanup(os.remove, path)
        return path

    def test_text_runs_with_its_prints_in_order(self):
        code, out = run("-py", "import maya.cmds as cmds\n"
                        "print('made', cmds.polyCube(n='box')[0])\n"
                        "cmds.python('print(1)')\n")
        self.assertEqual(code, 0)
        self.assertEqual(out, "made box\n1\n")

    def test_errors_are_shown_and_fail_the_run(self):
        path = self.script("import maya.cmds as cmds\n"
                           "try:\n"
                           "    cmds.select('nothing')\n"
                           "except RuntimeError:\n"
                           "    print('caught')\n"
                           "cmds.select('still nothing')\n"
                           "print('not reached')\n")
        code, out = run(path)
        self.assertEqual(code, 1)
        self.assertEqual(out, "caught\n// Error: file: %s line 6: RuntimeError: No object "
                         "matches name: still nothing //\n" % path)
        code, out = run("-py", "x = (1,\n")
        self.assertEqual(code, 1)
        self.assertEqual(out, "// Error: line 1: SyntaxError: '(' was never closed //\n")

    def test_exit_status_of_sys_exit(self):
        self.assertEqual(run("-py", "import sys; sys.exit(0)"), (0, ""))
        self.assertEqual(run("-py", "import sys; sys.exit()"), (0, ""))
        self.assertEqual(run("-py", "import sys; sys.exit(3)")[0], 1)

    def test_mel_script_survives_a_python_error(self):
        path = self.script('python("import maya.cmds as cmds");\n'
                           'print(python("cmds.polyCube(n=\\"box\\")[0]") + "\\n");\n'
                           'catch(python("1 / 0"));\n'
                           'print("after\\n");\n', suffix=".mel")
        code, out = run(path)
        self.assertEqual(code, 0)
        self.assertEqual(out, "box\n// Error: line 1: ZeroDivisionError: division by zero //\n"
                         "after\n")


if __name__ == "__main__":
    unittest.main()
