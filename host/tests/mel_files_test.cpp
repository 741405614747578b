// File I/O, file tests, sysFile and system on real files in a scratch directory.
#include "mel_fixture.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace host::mel::testing {
namespace {

namespace fs = std::filesystem;

class MelFiles : public MelTest {
protected:
    void SetUp() override {
        MelTest::SetUp();
        dir = fs::temp_directory_path() /
              ("mel_files_" + std::to_string(getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        run("global string $dir; $dir = \"" + dir.generic_string() + "\";");
    }
    void TearDown() override {
        fs::remove_all(dir);
        MelTest::TearDown();
    }
    std::string contents(const std::string& name) const {
        std::ifstream in(dir / name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    fs::path dir;
};

TEST_F(MelFiles, WriteAppendAndReadLines) {
    run("global string $dir; int $f = `fopen ($dir + \"/a.txt\")`;"  // default mode writes
        "fprint $f \"one\\n\"; fprint $f 2; fprint $f \"\\n\"; fclose $f;"
        "$f = fopen($dir + \"/a.txt\", \"a\"); fprint $f <<1, 2, 3>>; fclose $f;");
    EXPECT_EQ(contents("a.txt"), "one\n2\n1 2 3");
    // fgetline keeps the newline; the last line has none; then "" at the end.
    EXPECT_EQ(text("global string $dir; int $f = fopen($dir + \"/a.txt\", \"r\"); string $all;"
                   "string $l = fgetline($f); while (size($l) > 0) { $all += \"[\" + $l + \"]\";"
                   "$l = fgetline($f); } fclose $f; $all"),
              "[one\n][2\n][1 2 3]");
    EXPECT_EQ(text("global string $dir; int $f = fopen($dir + \"/a.txt\", \"r\");"
                   "string $w = fgetword($f) + \",\" + fgetword($f); frewind $f;"
                   "$w += \",\" + fgetword($f); fclose $f; $w"),
              "one,2,one");
    // "w" truncates what was there.
    run("global string $dir; int $f = fopen($dir + \"/a.txt\", \"w\"); fclose $f;");
    EXPECT_EQ(contents("a.txt"), "");
}

TEST_F(MelFiles, EndOfFileShowsOnlyAfterAReadAttempt) {
    std::ofstream(dir / "empty.txt").close();
    EXPECT_EQ(text("global string $dir; int $f = fopen($dir + \"/empty.txt\", \"r\");"
                   "string $r = feof($f) + \"\"; fgetline($f); $r += feof($f); fclose $f; $r"),
              "01");
}

TEST_F(MelFiles, BinaryWriteAndRead) {
    EXPECT_EQ(text("global string $dir; int $f = fopen($dir + \"/b.bin\", \"w\");"
                   "fwrite($f, 42); fwrite($f, 1.5); fwrite $f \"hi\"; fwrite($f, <<1, 2, 3>>);"
                   "fclose $f; $f = fopen($dir + \"/b.bin\", \"r\");"
                   "int $i = fread($f, 0); float $x = fread($f, 0.0); string $s = fread($f, \"\");"
                   "vector $v = fread($f, <<0, 0, 0>>); fclose $f; $i + \" \" + $x + \" \" + $s + "
                   "\" \" + $v"),
              "42 1.5 hi 1 2 3");
    EXPECT_EQ(fs::file_size(dir / "b.bin"), 4u + 4u + 3u + 12u);  // the string ends with NUL
}

TEST_F(MelFiles, MissingFilesAndStaleIdsFailCleanly) {
    EXPECT_EQ(run("global string $dir; fopen($dir + \"/no/such/file\", \"r\")").asInt(), 0);
    EXPECT_EQ(run("global string $dir; fopen($dir + \"/missing.txt\", \"r\")").asInt(), 0);
    failure("fgetline 0;");
    EXPECT_EQ(lastError(), "line 1: fgetline: invalid file identifier 0.");
    // A closed id stays dead even after other files are opened.
    failure(
        "global string $dir; int $f = fopen($dir + \"/c.txt\", \"w\"); fclose $f;"
        "int $g = fopen($dir + \"/d.txt\", \"w\"); fprint $f \"x\";");
    EXPECT_NE(lastError().find("fprint: invalid file identifier"), std::string::npos);
    failure("global string $dir; fopen($dir + \"/c.txt\", \"rw\");");
    EXPECT_EQ(lastError(), "line 1: fopen: invalid mode \"rw\".");
    failure("global string $dir; int $f = fopen($dir + \"/c.txt\", \"w\"); fprint $f {1, 2};");
    EXPECT_EQ(lastError(), "line 1: fprint: the value must be an int, float, string or vector.");
}

TEST_F(MelFiles, FiletestAnswersOneTest) {
    std::ofstream(dir / "full.txt") << "x";
    std::ofstream(dir / "empty.txt").close();
    fs::create_symlink(dir / "full.txt", dir / "link");
    auto test = [&](const std::string& flag, const std::string& name) {
        return run("global string $dir; filetest " + flag + " ($dir + \"/" + name + "\")").asInt();
    };
    EXPECT_EQ(test("-f", "full.txt"), 1);
    EXPECT_EQ(test("-d", "full.txt"), 0);
    EXPECT_EQ(test("-d", ""), 1);
    EXPECT_EQ(test("-s", "full.txt"), 1);
    EXPECT_EQ(test("-s", "empty.txt"), 0);
    EXPECT_EQ(test("-e", "missing"), 0);
    EXPECT_EQ(test("-r", "full.txt"), 1);
    EXPECT_EQ(test("-l", "link"), 1);
    EXPECT_EQ(test("-h", "full.txt"), 0);
    EXPECT_EQ(test("-q", "full.txt"), 0);  // not a test
}

TEST_F(MelFiles, SysFileWorksOnTheFileSystem) {
    EXPECT_EQ(run("global string $dir; sysFile -makeDir ($dir + \"/x/y/z\")").asInt(), 1);
    EXPECT_TRUE(fs::is_directory(dir / "x/y/z"));
    std::ofstream(dir / "f.txt") << "data";
    EXPECT_EQ(
        run("global string $dir; sysFile -copy ($dir + \"/g.txt\") ($dir + \"/f.txt\")").asInt(),
        1);
    EXPECT_EQ(
        run("global string $dir; sysFile -rename ($dir + \"/h.txt\") ($dir + \"/g.txt\")").asInt(),
        1);
    EXPECT_EQ(contents("h.txt"), "data");
    EXPECT_FALSE(fs::exists(dir / "g.txt"));
    EXPECT_EQ(run("global string $dir; sysFile -delete ($dir + \"/h.txt\")").asInt(), 1);
    EXPECT_EQ(run("global string $dir; sysFile -delete ($dir + \"/h.txt\")").asInt(), 0);
    // Only an empty directory goes.
    EXPECT_EQ(run("global string $dir; sysFile -removeEmptyDir ($dir + \"/x/y\")").asInt(), 0);
    EXPECT_EQ(run("global string $dir; sysFile -red ($dir + \"/x/y/z\")").asInt(), 1);
    failure("sysFile -explode \"/tmp\";");
    EXPECT_EQ(lastError(), "line 1: sysFile: Invalid flag \"-explode\".");
}

TEST_F(MelFiles, SystemReturnsTheShellOutput) {
    EXPECT_EQ(text("system(\"echo hello; echo world\")"), "hello\nworld\n");
    EXPECT_EQ(text("system \"exit 3\""), "");
    EXPECT_EQ(text("global string $dir; system(\"ls \" + $dir)"), "");
}

TEST_F(MelFiles, ExecRunsInTheBackground) {
    const int pid =
        run("global string $dir; exec(\"echo started > \" + $dir + \"/bg.txt\")").asInt();
    EXPECT_GT(pid, 0);
    for (int i = 0; i < 200 && contents("bg.txt") != "started\n"; ++i)
        usleep(10000);
    EXPECT_EQ(contents("bg.txt"), "started\n");
}

// A report script: lists the scene's transforms into a text file, then reads it back.
TEST_F(MelFiles, ReportScriptWritesAndReadsBack) {
    run(R"(
global string $dir;
proc int writeReport(string $path, string $items[]) {
    int $f = `fopen $path "w"`;
    if ($f == 0) return 0;
    fprint $f ("# " + size($items) + " items\n");
    for ($item in $items)
        fprint $f ($item + "\t" + (string)size($item) + "\n");
    fclose $f;
    return 1;
}
proc string[] readReport(string $path) {
    string $rows[];
    if (!`filetest -f $path`) return $rows;
    int $f = fopen($path, "r");
    string $line = fgetline($f);
    while (size($line) > 0) {
        if (!startsWith($line, "#"))
            $rows[size($rows)] = strip($line);
        $line = fgetline($f);
    }
    fclose $f;
    return $rows;
}
string $items[] = stringArrayRemoveDuplicates({"pCube1", "nurbsSphere1", "pCube1"});
writeReport($dir + "/report.txt", $items);
)");
    EXPECT_EQ(contents("report.txt"), "# 2 items\npCube1\t6\nnurbsSphere1\t12\n");
    EXPECT_EQ(text("global string $dir; stringArrayToString(readReport($dir + "
                   "\"/report.txt\"), \"|\")"),
              "pCube1\t6|nurbsSphere1\t12");
    EXPECT_EQ(run("global string $dir; size(readReport($dir + \"/none.txt\"))").asInt(), 0);
    EXPECT_EQ(run("writeReport(\"/no/such/dir/r.txt\", {\"a\"})").asInt(), 0);
}

}  // namespace
}  // namespace host::mel::testing
