#include "plugin/Syntax.h"

#include "plugin/Args.h"

using host::plugin::FlagSpec;
using host::plugin::SyntaxData;

namespace host {
namespace plugin {

const FlagSpec* SyntaxData::findFlag(std::string_view name) const {
    const std::string_view bare = stripDash(name);
    for (const FlagSpec& flag : flags) {
        if (flag.shortName == bare || flag.longName == bare) {
            return &flag;
        }
    }
    return nullptr;
}

}  // namespace plugin
}  // namespace host

namespace {

// The query and edit flags that enableQuery and enableEdit stand for.
const char* const kQueryNames[] = {"q", "query"};
const char* const kEditNames[] = {"e", "edit"};

bool isReserved(const SyntaxData& data, const std::string& name) {
    return (data.queryEnabled && (name == kQueryNames[0] || name == kQueryNames[1])) ||
           (data.editEnabled && (name == kEditNames[0] || name == kEditNames[1]));
}

FlagSpec* findMutable(SyntaxData& data, const char* name) {
    return name ? const_cast<FlagSpec*>(data.findFlag(name)) : nullptr;
}

// What every new syntax starts as; its own reference keeps it alive.
SyntaxData* emptyData() {
    static SyntaxData* const empty = new SyntaxData;
    return empty;
}

SyntaxData* share(SyntaxData* data) {
    ++data->owners;
    return data;
}

void release(SyntaxData* data) {
    if (--data->owners == 0) {
        delete data;
    }
}

// The data for changing, no longer shared with other syntaxes.
SyntaxData& own(SyntaxData*& data) {
    if (data->owners > 1) {
        SyntaxData* copy = new SyntaxData(*data);
        copy->owners = 1;
        release(data);
        data = copy;
    }
    return *data;
}

}  // namespace

MSyntax::MSyntax() : fData(share(emptyData())) {}
MSyntax::MSyntax(const MSyntax& other) : fData(share(other.fData)) {}
MSyntax& MSyntax::operator=(const MSyntax& other) {
    SyntaxData* previous = fData;
    fData = share(other.fData);
    release(previous);
    return *this;
}
MSyntax::~MSyntax() {
    release(fData);
}

MStatus MSyntax::addFlag(const char* shortName, const char* longName, MArgType argType1,
                         MArgType argType2, MArgType argType3, MArgType argType4, MArgType argType5,
                         MArgType argType6) {
    if (!shortName || !longName) {
        return MS::kInvalidParameter;
    }
    FlagSpec flag;
    flag.shortName = host::plugin::stripDash(shortName);
    flag.longName = host::plugin::stripDash(longName);
    if (flag.shortName.empty() || flag.longName.empty() || fData->findFlag(flag.shortName) ||
        fData->findFlag(flag.longName) || isReserved(*fData, flag.shortName) ||
        isReserved(*fData, flag.longName)) {
        return MS::kInvalidParameter;
    }
    // The kinds after the first kNoArg are ignored, as a flag's arguments
    // cannot have gaps.
    for (MArgType type : {argType1, argType2, argType3, argType4, argType5, argType6}) {
        if (type == kNoArg) {
            break;
        }
        if (type <= kNoArg || type >= kLastArgType) {
            return MS::kInvalidParameter;
        }
        flag.argTypes.push_back(type);
    }
    own(fData).flags.push_back(flag);
    return MS::kSuccess;
}

MStatus MSyntax::makeFlagMultiUse(const char* flagName) {
    FlagSpec* flag = findMutable(own(fData), flagName);
    if (!flag) {
        return MS::kInvalidParameter;
    }
    flag->multiUse = true;
    return MS::kSuccess;
}

MStatus MSyntax::makeFlagQueryWithFullArgs(const char* flagName, bool forceQueryWithFullArgs) {
    FlagSpec* flag = findMutable(own(fData), flagName);
    if (!flag) {
        return MS::kInvalidParameter;
    }
    flag->queryWithFullArgs = forceQueryWithFullArgs;
    return MS::kSuccess;
}

MStatus MSyntax::addArg(MArgType arg) {
    if (arg <= kNoArg || arg >= kLastArgType) {
        return MS::kInvalidParameter;
    }
    own(fData).commandArgs.push_back(arg);
    return MS::kSuccess;
}

MStatus MSyntax::setObjectType(MObjectFormat objectFormat, unsigned int minimumObjects,
                               unsigned int maximumObjects) {
    if (objectFormat <= kInvalidObjectFormat || objectFormat >= kLastObjectFormat ||
        minimumObjects > maximumObjects) {
        return MS::kInvalidParameter;
    }
    SyntaxData& data = own(fData);
    data.objectFormat = objectFormat;
    data.minObjects = minimumObjects;
    data.maxObjects = maximumObjects;
    return MS::kSuccess;
}

// A count that would cross the other bound is ignored.
void MSyntax::setMinObjects(unsigned int minimumObjectCount) {
    if (minimumObjectCount <= fData->maxObjects) {
        own(fData).minObjects = minimumObjectCount;
    }
}

void MSyntax::setMaxObjects(unsigned int maximumObjectCount) {
    if (maximumObjectCount >= fData->minObjects) {
        own(fData).maxObjects = maximumObjectCount;
    }
}

void MSyntax::useSelectionAsDefault(bool useSelectionAsDefault) {
    own(fData).useSelectionAsDefault = useSelectionAsDefault;
}

void MSyntax::enableQuery(bool supportsQuery) {
    own(fData).queryEnabled = supportsQuery;
}
void MSyntax::enableEdit(bool supportsEdit) {
    own(fData).editEnabled = supportsEdit;
}
