#include "resources/JpegImage.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>
#include <stdexcept>

#include <jpeglib.h>

namespace morva {
namespace {

// libjpeg reports errors by calling error_exit, which must not return: it jumps back to the
// setjmp of the step that was running. Warnings about corrupt data jump too, so a damaged
// file gives no picture instead of a half-grey one.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void ErrorExit(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void EmitMessage(j_common_ptr cinfo, int msgLevel)
{
    if (msgLevel < 0)
        ErrorExit(cinfo);
}

void OutputMessage(j_common_ptr)
{
}

struct Decoder {
    jpeg_decompress_struct cinfo{};
    ErrorManager error{};

    Decoder()
    {
        cinfo.err = jpeg_std_error(&error.pub);
        error.pub.error_exit = ErrorExit;
        error.pub.emit_message = EmitMessage;
        error.pub.output_message = OutputMessage;
    }
    ~Decoder() { jpeg_destroy_decompress(&cinfo); }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;
};

// The two steps that may jump hold no C++ objects with destructors, so a longjmp out of
// libjpeg skips nothing that needs cleaning up; Decoder's destructor runs in the caller.
bool StartDecoding(Decoder& d, const unsigned char* data, unsigned long size)
{
    if (setjmp(d.error.jump))
        return false;
    jpeg_create_decompress(&d.cinfo);
    jpeg_mem_src(&d.cinfo, data, size);
    jpeg_read_header(&d.cinfo, TRUE);
    d.cinfo.out_color_space = d.cinfo.jpeg_color_space == JCS_GRAYSCALE ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&d.cinfo);
    return true;
}

bool ReadRows(Decoder& d, uchar* bits, qsizetype bytesPerLine)
{
    if (setjmp(d.error.jump))
        return false;
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        JSAMPROW row = bits + bytesPerLine * d.cinfo.output_scanline;
        jpeg_read_scanlines(&d.cinfo, &row, 1);
    }
    jpeg_finish_decompress(&d.cinfo);
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray& bytes)
{
    Decoder d;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    if (!StartDecoding(d, data, static_cast<unsigned long>(bytes.size())))
        return {};
    const bool gray = d.cinfo.out_color_space == JCS_GRAYSCALE;
    if (d.cinfo.output_components != (gray ? 1 : 3))
        return {};
    QImage image(static_cast<int>(d.cinfo.output_width), static_cast<int>(d.cinfo.output_height),
                 gray ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    if (image.isNull() || !ReadRows(d, image.bits(), image.bytesPerLine()))
        return {};
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage LoadJpeg(const QString& path)
{
    QFile file(path);
    QImage image;
    if (file.open(QIODevice::ReadOnly))
        image = DecodeJpeg(file.readAll());
    if (image.isNull())
        throw std::runtime_error("Rasm faylini o'qib bo'lmadi: " + path.toStdString());
    return image;
}

} // namespace morva
