import unittest

import maya.mel as mel
from host_session import cmds, new_scene


class MelEval(unittest.TestCase):
    def setUp(self):
        new_scene()

    def test_results_have_python_types(self):
        cmds.polyCube(n="cube")
        self.assertEqual(mel.eval("2 + 1"), 3)
        self.assertEqual(mel.eval("3.5 * 2"), 7.0)
        self.assertEqual(mel.eval('string $s = "a"; $s + "b"'), "ab")
        self.assertEqual(mel.eval("ls -type transform cube"), ["cube"])
        self.assertEqual(mel.eval("getAttr cube.t"), [0.0, 0.0, 0.0])
        self.assertEqual(mel.eval("int $a[] = {1, 2}; $a"), [1, 2])
        self.assertIsNone(mel.eval("setAttr cube.tx 1"))

    def test_failure_raises_the_error_line(self):
        with self.assertRaises(RuntimeError) as raised:
            mel.eval("setAttr nothing.tx 1;")
        self.assertEqual(str(raised.exception), "line 1: setAttr: No object matches name: nothing.tx")


class PythonFromMel(unittest.TestCase):
    def test_values_come_back_converted(self):
        self.assertEqual(mel.eval('python("1 + 2")'), 3)
        self.assertEqual(mel.eval('python("0.5")'), 0.5)
        self.assertEqual(mel.eval('python("[\\"a\\", \\"b\\"]")'), ["a", "b"])
        self.assertEqual(mel.eval('python("[1, 2.5]")'), [1.0, 2.5])
        self.assertEqual(mel.eval('python("True")'), 1)
        self.assertIsNone(mel.eval('python("None")'))
        self.assertEqual(mel.eval('size(python("[\\"x\\"] * 3"))'), 3)

    def test_same_interpreter_both_ways(self):
        self.assertIsNone(mel.eval('python("shared = 21")'))
        self.assertEqual(mel.eval('python("shared * 2")'), 42)
        self.assertEqual(cmds.python("shared + 1"), 22)
        # Python run from MEL calls back into the host.
        mel.eval('python("import maya.cmds; maya.cmds.polyCube(n=\'fromMel\')")')
        self.assertTrue(cmds.objExists("fromMel"))

    def test_python_errors_fail_the_mel(self):
        with self.assertRaises(RuntimeError) as raised:
            mel.eval('python("1 / 0")')
        self.assertEqual(str(raised.exception), "line 1: ZeroDivisionError: division by zero")
        with self.assertRaises(RuntimeError) as raised:
            mel.eval('python("(1")')
        self.assertIn("SyntaxError", str(raised.exception))
        self.assertEqual(mel.eval('catch(python("1 / 0"))'), 1)


if __name__ == "__main__":
    unittest.main()
