import unittest

from host_session import cmds, new_scene, particle_scene


class UninstancerBake(unittest.TestCase):
    def setUp(self):
        particle_scene()

    def test_copies_stand_where_the_particles_are(self):
        copies = cmds.dkUninstancer("inst")
        self.assertEqual(copies, ["cube_1", "cube_2", "cube_3"])
        places = [cmds.getAttr(copy + ".translate") for copy in copies]
        self.assertEqual(places, [[0.0, 0.0, 0.0], [1.0, 2.0, 3.0], [4.0, 5.0, 6.0]])
        cmds.undo()
        self.assertFalse(cmds.objExists("cube_1"))

    def test_long_and_short_flags_bake_the_same(self):
        short = cmds.dkUninstancer("inst", sf=1, ef=3, fs=2, cai=True)
        cmds.undo()
        long = cmds.dkUninstancer("inst", startFrame=1, endFrame=3, frameStep=2,
                                  copyAsInstance=True)
        self.assertEqual(short, long)
        self.assertEqual(len(long), 6)  # frames 1 and 3, three particles each

    def test_refusals_raise_the_error_line_and_make_nothing(self):
        with self.assertRaises(RuntimeError) as raised:
            cmds.dkUninstancer("inst", fs=0)
        self.assertEqual(str(raised.exception), "dkUninstancer: A frameStep of 0 is not valid. "
                         "Please use a frameStep of 1 or more.")
        with self.assertRaises(RuntimeError) as raised:
            cmds.dkUninstancer("inst", sf="soon")
        self.assertEqual(str(raised.exception),
                         "Flag '-startFrame' must be passed an integer argument.")
        self.assertEqual(cmds.ls("cube_*"), [])
        # The host carries on after a refusal.
        self.assertEqual(len(cmds.dkUninstancer("inst")), 3)


class Flags(unittest.TestCase):
    def setUp(self):
        particle_scene()

    def test_query_and_edit_a_multi_use_flag(self):
        self.assertEqual(cmds.particleInstancer("ptsShape", q=True, name="inst", obj=True),
                         ["cube", "cone"])
        cmds.particleInstancer("ptsShape", e=True, name="inst", addObject=True, obj="ball")
        self.assertEqual(cmds.particleInstancer("ptsShape", query=1, n="inst", object=True),
                         ["cube", "cone", "ball"])

    def test_tuples_give_several_arguments_and_false_leaves_a_flag_out(self):
        cmds.setAttr("cube.translate", 1, 2, 3)
        self.assertEqual(cmds.getAttr("cube.translate"), [1.0, 2.0, 3.0])
        cmds.emitter(pos=(5, 6, 7), n="spout")
        self.assertEqual(cmds.getAttr("spout.translate"), [5.0, 6.0, 7.0])
        self.assertEqual(cmds.ls("cube", sl=False), ["cube"])

    def test_results_have_python_types(self):
        self.assertIs(cmds.objExists("cube"), True)
        self.assertIs(cmds.objExists("nothing"), False)
        self.assertIsInstance(cmds.getAttr("cube.tx"), float)
        self.assertIsInstance(cmds.getAttr("cube.visibility"), (int, bool))
        self.assertEqual(cmds.dkMap("names"), "names")
        cmds.dkMap("names", i=("hero", "v012"))
        self.assertEqual(cmds.dkMap("names", f="hero"), "v012")
        self.assertIsNone(cmds.setAttr("cube.tx", 2))


class Commands(unittest.TestCase):
    def setUp(self):
        new_scene()

    def test_plug_in_commands_come_and_go_with_the_plug_in(self):
        self.assertIn("dkUninstancer", dir(cmds))
        cmds.unloadPlugin("DravikTools")
        try:
            self.assertFalse(hasattr(cmds, "dkUninstancer"))
            self.assertNotIn("dkUninstancer", dir(cmds))
        finally:
            cmds.loadPlugin("DravikTools")
        self.assertTrue(hasattr(cmds, "dkUninstancer"))

    def test_failures_raise_without_showing_and_the_host_goes_on(self):
        with self.assertRaises(RuntimeError) as raised:
            cmds.select("nothing")
        self.assertEqual(str(raised.exception), "No object matches name: nothing")
        with self.assertRaises(RuntimeError) as raised:
            cmds.ls(bogus=True)
        self.assertEqual(str(raised.exception), "Invalid flag: -bogus")
        with self.assertRaises(AttributeError):
            cmds.noSuchCommand()
        self.assertEqual(cmds.polyCube(n="after")[0], "after")


class UserInterface(unittest.TestCase):
    def setUp(self):
        if cmds.window("bakeWin", exists=True):
            cmds.deleteUI("bakeWin")

    def test_a_tool_window_from_python(self):
        window = cmds.window("bakeWin", title="Bake", widthHeight=(300, 200))
        cmds.columnLayout(adj=True)
        cmds.checkBox("keys", label="Keys", value=False)
        shapes = cmds.textScrollList(append=["cube", "ball"], selectItem="ball")
        cmds.showWindow(window)
        self.assertEqual(cmds.window(window, q=True, wh=True), [300, 200])
        self.assertEqual(cmds.checkBox("keys", q=True, value=True), 0)
        self.assertEqual(cmds.textScrollList(shapes, q=True, si=True), ["ball"])
        self.assertEqual(cmds.confirmDialog(m="Bake?", button=["Yes", "No"], db="Yes"), "Yes")
        cmds.deleteUI(window)
        self.assertEqual(cmds.control("keys", exists=True), 0)


if __name__ == "__main__":
    unittest.main()
