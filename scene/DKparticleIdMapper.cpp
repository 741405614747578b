#include "scene/DKparticleIdMapper.h"

#include "plugin/DKexception.h"
#include "scene/DKfnParticleSystem.h"
#include "scene/DKplugLookup.h"

#include <maya/MFnDoubleArrayData.h>
#include <maya/MFnIntArrayData.h>
#include <maya/MPlug.h>
#include <maya/MStatus.h>

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

namespace {

MObject dataOf(const MPlug& plug) {
    MObject data;
    plug.getValue(data);
    return data;
}

bool isAscending(const MIntArray& values) {
    for (unsigned int i = 1; i < values.length(); ++i) {
        if (values[i] < values[i - 1]) {
            return false;
        }
    }
    return true;
}

// Sorts the ids and their indices together. The sort is stable, so among
// equal ids the first one in the host's order still answers a lookup.
void sortTogether(MIntArray& ids, MIntArray& indices) {
    std::vector<std::pair<int, int>> pairs(ids.length());
    for (unsigned int i = 0; i < ids.length(); ++i) {
        pairs[i] = {ids[i], indices[i]};
    }
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (unsigned int i = 0; i < ids.length(); ++i) {
        ids[i] = pairs[i].first;
        indices[i] = pairs[i].second;
    }
}

}  // namespace

void DKparticleIdMapper::update(const MObject& particleShape) {
    sortedIds_.clear();
    idIndices_.clear();
    particleIds_.clear();

    DKfnParticleSystem shape(particleShape);
    const MPlug idMapping = findNodePlug(particleShape, "idMapping");
    MStatus status;
    MObject sortedIdAttribute = shape.attribute("sortedId");
    const MPlug sortedIdPlug = idMapping.child(sortedIdAttribute, &status);
    checkStatus(status, "Unable to get sortedId plug.");
    MObject idIndexAttribute = shape.attribute("idIndex");
    const MPlug idIndexPlug = idMapping.child(idIndexAttribute, &status);
    checkStatus(status, "Unable to get idIndex plug.");
    const MPlug particleIdPlug = findNodePlug(particleShape, "particleId");

    const MFnIntArrayData sortedIdData(dataOf(sortedIdPlug));
    const MFnIntArrayData idIndexData(dataOf(idIndexPlug));
    const MFnDoubleArrayData particleIdData(dataOf(particleIdPlug));
    checkStatus(sortedIdData.copyTo(sortedIds_), "Error getting sortedId array.");
    checkStatus(idIndexData.copyTo(idIndices_), "Error getting idIndex array.");
    checkStatus(particleIdData.copyTo(particleIds_), "Error getting particleId array.");

    // An index without its id (or the reverse) could never be answered
    // right; only whole pairs are kept.
    const unsigned int pairs = std::min(sortedIds_.length(), idIndices_.length());
    sortedIds_.setLength(pairs);
    idIndices_.setLength(pairs);
    if (!isAscending(sortedIds_)) {
        sortTogether(sortedIds_, idIndices_);
    }
}

int DKparticleIdMapper::indexOf(int particleId) const {
    // The first position holding the id, as a scan from the start would
    // find it.
    unsigned int low = 0;
    unsigned int high = sortedIds_.length();
    while (low < high) {
        const unsigned int middle = low + (high - low) / 2;
        if (sortedIds_[middle] < particleId) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    if (low < sortedIds_.length() && sortedIds_[low] == particleId) {
        return idIndices_[low];
    }
    return -1;
}

int DKparticleIdMapper::idAt(unsigned int particleIndex) const {
    if (particleIndex >= particleIds_.length()) {
        return -1;
    }
    const double id = particleIds_[particleIndex];
    if (!(id >= static_cast<double>(INT_MIN) && id <= static_cast<double>(INT_MAX))) {
        return -1;
    }
    return static_cast<int>(id);
}
