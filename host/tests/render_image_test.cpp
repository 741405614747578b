// PNG files hold the pictures exactly; failures name the file.
#include <gtest/gtest.h>

#include "render/Image.h"
#include "render_support.h"

namespace host::render::testing {
namespace {

TEST(RenderImageTest, PngKeepsEveryPixelAndReportsTheFileItCannotWrite) {
    Image image(7, 3, Rgb{10, 20, 30});
    image.at(0, 0) = Rgb{255, 0, 0};
    Image patch(2, 2, Rgb{1, 2, 3});
    image.paste(patch, 5, 1);  // runs off the right edge
    const std::string path = imageFolder("png") + "/picture.png";
    std::string why;
    ASSERT_TRUE(writePng(image, path, why)) << why;

    const Image back = loadPng(path);
    ASSERT_EQ(back.width(), 7);
    ASSERT_EQ(back.height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(back.at(x, y), image.at(x, y)) << x << "," << y;
    EXPECT_EQ(back.at(6, 2), (Rgb{1, 2, 3}));
    EXPECT_EQ(back.at(0, 0), (Rgb{255, 0, 0}));

    EXPECT_FALSE(writePng(image, "/nonexistent/folder/x.png", why));
    EXPECT_NE(why.find("/nonexistent/folder/x.png"), std::string::npos);
    Image unread;
    EXPECT_FALSE(readPng("/nonexistent/y.png", unread, why));
    EXPECT_NE(why.find("/nonexistent/y.png"), std::string::npos);
}

}  // namespace
}  // namespace host::render::testing
