#pragma once
// JPEG pictures decoded with libjpeg (the program only ever reads JPEG).

#include <QByteArray>
#include <QImage>
#include <QString>

namespace morva {

// The decoded picture, or a null image when the bytes are not a sound JPEG (damaged or
// truncated data included).
QImage DecodeJpeg(const QByteArray& bytes);

// Reads and decodes a JPEG file or resource (":/pictures/..."); throws std::runtime_error
// with a ready-to-show message when it is missing or damaged.
QImage LoadJpeg(const QString& path);

} // namespace morva
