#pragma once
// Reading playblast images back in tests: reference pictures, and the
// colours that tell compared node sets apart.

#include <gtest/gtest.h>

#include "render/Image.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace host::render::testing {

inline Image loadPng(const std::string& path) {
    Image image;
    std::string why;
    EXPECT_TRUE(readPng(path, image, why)) << why;
    return image;
}

// Set DK_UPDATE_REFERENCE_IMAGES to write the pictures as the new
// references (look at them before checking them in).
inline void expectMatchesReference(const std::string& path, const std::string& reference) {
    if (std::getenv("DK_UPDATE_REFERENCE_IMAGES")) {
        std::filesystem::copy_file(path, reference,
                                   std::filesystem::copy_options::overwrite_existing);
        return;
    }
    const Image actual = loadPng(path), expected = loadPng(reference);
    ASSERT_EQ(actual.width(), expected.width()) << reference;
    ASSERT_EQ(actual.height(), expected.height()) << reference;
    // Rounding in another compiler or library may move an edge by a pixel.
    int off = 0;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x) {
            const Rgb a = actual.at(x, y), e = expected.at(x, y);
            if (std::abs(a.r - e.r) + std::abs(a.g - e.g) + std::abs(a.b - e.b) > 24)
                ++off;
        }
    EXPECT_LE(off, actual.width() * actual.height() / 100)
        << path << " differs from " << reference << " in " << off << " pixels";
}

// Pixels drawn in the first or the second compared set's colour alone
// (shaded or not), as against the grey of the background, the grid and the
// mix where both sets cover the picture.
struct Coverage {
    int first = 0, second = 0;
};
inline Coverage coverage(const Image& image, int x0 = 0, int x1 = -1) {
    Coverage c;
    if (x1 < 0)
        x1 = image.width();
    for (int y = 0; y < image.height(); ++y)
        for (int x = x0; x < x1; ++x) {
            const Rgb p = image.at(x, y);
            if (p.r > p.b + 25)
                ++c.first;
            else if (p.b > p.r + 25)
                ++c.second;
        }
    return c;
}

// A fresh folder for a test's images.
inline std::string imageFolder(const std::string& name) {
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}

}  // namespace host::render::testing
