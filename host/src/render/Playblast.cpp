// playblast for batch use: the frames of a range (or the frames named)
// drawn as the viewport would and written as numbered PNG images.
#include "Startup.h"
#include "commands/Support.h"
#include "render/Camera.h"
#include "render/Renderer.h"

#include <maya/MAnimControl.h>
#include <maya/MArgList.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace host {
namespace render {

namespace {

using commands::error;

// Without a window, a size of 0 0 stands for the default render size.
constexpr int kDefaultWidth = 640, kDefaultHeight = 480;
constexpr int kMaxSide = 8192;

MSyntax playblastSyntax() {
    MSyntax s;
    s.addFlag("st", "startTime", MSyntax::kDouble);
    s.addFlag("et", "endTime", MSyntax::kDouble);
    s.addFlag("fr", "frame", MSyntax::kDouble);
    s.makeFlagMultiUse("fr");
    s.addFlag("f", "filename", MSyntax::kString);
    s.addFlag("fmt", "format", MSyntax::kString);
    s.addFlag("c", "compression", MSyntax::kString);
    s.addFlag("wh", "widthHeight", MSyntax::kLong, MSyntax::kLong);
    s.addFlag("w", "width", MSyntax::kLong);
    s.addFlag("h", "height", MSyntax::kLong);
    s.addFlag("p", "percent", MSyntax::kLong);
    s.addFlag("fp", "framePadding", MSyntax::kLong);
    s.addFlag("v", "viewer", MSyntax::kBoolean);
    s.addFlag("orn", "showOrnaments", MSyntax::kBoolean);
    s.addFlag("fo", "forceOverwrite");
    s.addFlag("os", "offScreen");
    s.addFlag("cam", "camera", MSyntax::kString);
    s.addFlag("da", "displayAppearance", MSyntax::kString);
    s.addFlag("cmp", "compare", MSyntax::kString, MSyntax::kString);
    s.addFlag("cml", "compareLayout", MSyntax::kString);
    return s;
}

std::string stringFlag(const MArgDatabase& db, const char* flag, const std::string& fallback,
                       unsigned index = 0) {
    return db.isFlagSet(flag) ? db.flagArgumentString(flag, index).asChar() : fallback;
}

int intFlag(const MArgDatabase& db, const char* flag, int fallback, unsigned index = 0) {
    int value = fallback;
    if (db.isFlagSet(flag))
        db.getFlagArgument(flag, index, value);
    return value;
}

bool boolFlag(const MArgDatabase& db, const char* flag, bool fallback) {
    bool value = fallback;
    if (db.isFlagSet(flag))
        db.getFlagArgument(flag, 0, value);
    return value;
}

// Whole frames print as such; others with two decimals.
std::string frameText(double frame) {
    char text[32];
    if (frame == std::round(frame))
        std::snprintf(text, sizeof text, "%ld", std::lround(frame));
    else
        std::snprintf(text, sizeof text, "%.2f", frame);
    return text;
}

struct Request {
    std::vector<double> frames;
    std::string filename;
    int padding = 4;
    Shot shot;
    bool ornaments = true;
    bool comparing = false;
    Node* compared[2] = {nullptr, nullptr};
    Layout layout = Layout::SideBySide;

    std::string fileFor(double frame) const {
        char number[32];
        std::snprintf(number, sizeof number, "%0*ld", padding, std::lround(frame));
        return filename + "." + number + ".png";
    }
    std::vector<Node*> roots(int side) const {
        return comparing ? std::vector<Node*>{compared[side]} : std::vector<Node*>{};
    }
};

class PlayblastCommand : public commands::ParsedCommand<MPxCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        Request request;
        if (!read(db, request))
            return MS::kFailure;
        const MTime before = MAnimControl::currentTime();
        const bool written = blast(request);
        MAnimControl::setCurrentTime(before);
        if (!written)
            return MS::kFailure;
        setResult(
            MString((request.filename + "." + std::string(request.padding, '#') + ".png").c_str()));
        return MS::kSuccess;
    }

private:
    static bool read(const MArgDatabase& db, Request& request) {
        const std::string format = stringFlag(db, "fmt", "image");
        if (format != "image") {
            error("playblast: Only -format image is supported here; " + format +
                  " cannot be written.");
            return false;
        }
        const std::string compression = stringFlag(db, "c", "png");
        if (compression != "png") {
            error("playblast: Image format " + compression + " is not supported; use png.");
            return false;
        }
        if (boolFlag(db, "v", false))
            commands::warning(
                "playblast: There is no viewer in batch; the images are only written.");

        request.filename = stringFlag(db, "f", "playblast");
        request.padding = std::clamp(intFlag(db, "fp", 4), 0, 10);
        int width = intFlag(db, "w", intFlag(db, "wh", 0, 0));
        int height = intFlag(db, "h", intFlag(db, "wh", 0, 1));
        if (width < 0 || height < 0) {
            error("playblast: The width and height must not be negative.");
            return false;
        }
        // A size left at 0 is the view's.
        if (width == 0)
            width = kDefaultWidth;
        if (height == 0)
            height = kDefaultHeight;
        // The real host clamps a size larger than its window; the largest
        // window here is kMaxSide square, which also bounds the memory.
        width = std::min(width, kMaxSide);
        height = std::min(height, kMaxSide);
        const int percent = std::clamp(intFlag(db, "p", 50), 10, 100);
        request.shot.width = std::max(1, width * percent / 100);
        request.shot.height = std::max(1, height * percent / 100);
        request.ornaments = boolFlag(db, "orn", true);

        const std::string appearance = stringFlag(db, "da", "smoothShaded");
        if (appearance == "wireframe") {
            request.shot.appearance = Appearance::Wireframe;
        } else if (appearance != "smoothShaded" && appearance != "flatShaded") {
            error("playblast: " + appearance +
                  " is not a display appearance; use smoothShaded, flatShaded or wireframe.");
            return false;
        }

        request.shot.camera = lookThroughCamera();
        if (db.isFlagSet("cam")) {
            const std::string name = stringFlag(db, "cam", "");
            Node* node = commands::findNode(name);
            request.shot.camera = node ? cameraShape(*node) : nullptr;
            if (!request.shot.camera) {
                error("playblast: " + name + " is not a camera.");
                return false;
            }
        }

        if (db.isFlagSet("cmp")) {
            request.comparing = true;
            for (unsigned side = 0; side < 2; ++side) {
                const std::string name = stringFlag(db, "cmp", "", side);
                request.compared[side] = commands::findNode(name);
                if (!request.compared[side]) {
                    error("playblast: No object matches name: " + name);
                    return false;
                }
            }
        }
        const std::string layout = stringFlag(db, "cml", "sideBySide");
        if (layout == "overlay") {
            request.layout = Layout::Overlay;
        } else if (layout != "sideBySide") {
            error("playblast: " + layout + " is not a compare layout; use sideBySide or overlay.");
            return false;
        }
        if (!readFrames(db, request.frames))
            return false;
        // From a script the application will not replace earlier images
        // unless told to: nothing is written when one of them exists.
        if (!db.isFlagSet("fo"))
            for (double frame : request.frames) {
                const std::string file = request.fileFor(frame);
                if (std::filesystem::exists(file)) {
                    error("playblast: File " + file +
                          " already exists; use -forceOverwrite to replace it.");
                    return false;
                }
            }
        return true;
    }

    static bool readFrames(const MArgDatabase& db, std::vector<double>& frames) {
        if (db.isFlagSet("fr")) {
            if (db.isFlagSet("st") || db.isFlagSet("et")) {
                error("playblast: Use -frame or -startTime and -endTime, not both.");
                return false;
            }
            for (unsigned use = 0; use < db.numberOfFlagUses("fr"); ++use) {
                MArgList values;
                db.getFlagArgumentList("fr", use, values);
                frames.push_back(values.asDouble(0));
            }
            return true;
        }
        double start = MAnimControl::minTime().value(), end = MAnimControl::maxTime().value();
        if (db.isFlagSet("st"))
            db.getFlagArgument("st", 0, start);
        if (db.isFlagSet("et"))
            db.getFlagArgument("et", 0, end);
        if (start > end) {
            error("playblast: The start time is after the end time.");
            return false;
        }
        for (double frame = start; frame <= end + 1e-9; frame += 1.0)
            frames.push_back(frame);
        return true;
    }

    static void goTo(double frame) { MAnimControl::setCurrentTime(MTime(frame, MTime::uiUnit())); }

    static bool blast(Request& request) {
        // The default view frames everything drawn over all the frames, so
        // that it holds still while the scene moves.
        if (!request.shot.camera) {
            for (double frame : request.frames) {
                goTo(frame);
                for (int side = 0; side < (request.comparing ? 2 : 1); ++side)
                    request.shot.framed.add(gather(request.roots(side)).bounds());
            }
        }
        for (double frame : request.frames) {
            goTo(frame);
            request.shot.label = request.ornaments ? frameText(frame) : "";
            const Image image = request.comparing
                                    ? comparison(gather(request.roots(0)), gather(request.roots(1)),
                                                 request.layout, request.shot)
                                    : picture(gather(), request.shot);
            std::string why;
            if (!writePng(image, request.fileFor(frame), why)) {
                error("playblast: " + why);
                return false;
            }
        }
        return true;
    }
};

}  // namespace

}  // namespace render

void registerRendering() {
    render::registerCameraType();
    render::registerCameraCommands();
    commands::define<render::PlayblastCommand>("playblast", render::playblastSyntax);
}

}  // namespace host
