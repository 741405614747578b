#include "render/Image.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace host {
namespace render {

Image::Image(int width, int height, Rgb fill)
    : m_width(width), m_height(height), m_pixels(static_cast<size_t>(width) * height, fill) {}

void Image::paste(const Image& picture, int x, int y) {
    for (int row = 0; row < picture.height(); ++row)
        for (int column = 0; column < picture.width(); ++column)
            if (contains(x + column, y + row))
                at(x + column, y + row) = picture.at(column, row);
}

namespace {

using File = std::unique_ptr<FILE, int (*)(FILE*)>;

File open(const std::string& path, const char* mode, std::string& error) {
    File file(std::fopen(path.c_str(), mode), &std::fclose);
    if (!file)
        error = path + ": " + std::strerror(errno);
    return file;
}

// libpng reports errors by longjmp; its message is kept for the caller.
void keepMessage(png_structp png, png_const_charp message) {
    *static_cast<std::string*>(png_get_error_ptr(png)) = message;
    png_longjmp(png, 1);
}

// Runs the libpng calls of body; false when libpng gave up on them. Nothing
// here changes after setjmp, so the jump back clobbers nothing.
template <class Body>
bool guarded(png_structp png, Body body) {
    if (setjmp(png_jmpbuf(png)) != 0)
        return false;
    body();
    return true;
}

static_assert(sizeof(Rgb) == 3, "rows of Rgb are handed to libpng as bytes");

}  // namespace

bool writePng(const Image& image, const std::string& path, std::string& error) {
    File file = open(path, "wb", error);
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, keepMessage, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        error = "out of memory";
        return false;
    }
    std::vector<png_bytep> rows(image.height());
    for (int y = 0; y < image.height(); ++y)
        rows[y] = const_cast<png_bytep>(reinterpret_cast<const png_byte*>(&image.at(0, y)));
    bool ok = guarded(png, [&] {
        png_init_io(png, file.get());
        png_set_IHDR(png, info, image.width(), image.height(), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_rows(png, info, rows.data());
        png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    });
    png_destroy_write_struct(&png, &info);
    if (!ok) {
        error = path + ": " + error;
        return false;
    }
    if (std::fflush(file.get()) != 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool readPng(const std::string& path, Image& image, std::string& error) {
    File file = open(path, "rb", error);
    if (!file)
        return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, keepMessage, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        error = "out of memory";
        return false;
    }
    bool ok = guarded(png, [&] {
        png_init_io(png, file.get());
        // Whatever the file holds comes out as 8-bit RGB.
        png_read_png(png, info,
                     PNG_TRANSFORM_STRIP_16 | PNG_TRANSFORM_PACKING | PNG_TRANSFORM_EXPAND |
                         PNG_TRANSFORM_STRIP_ALPHA | PNG_TRANSFORM_GRAY_TO_RGB,
                     nullptr);
        const int width = static_cast<int>(png_get_image_width(png, info));
        const int height = static_cast<int>(png_get_image_height(png, info));
        png_bytepp rows = png_get_rows(png, info);
        image = Image(width, height);
        for (int y = 0; y < height; ++y)
            std::memcpy(&image.at(0, y), rows[y], static_cast<size_t>(width) * 3);
    });
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok)
        error = path + ": " + error;
    return ok;
}

}  // namespace render
}  // namespace host
