// JPEG encoding of chart and report pictures with libjpeg-turbo called
// directly, with the encoder's default settings (quality 75, 4:2:0).
#pragma once

#include <QByteArray>

class QImage;

namespace ui {

// The picture as a baseline JFIF file in memory. Raises veltor::Error when the
// encoder fails (it reports through an exception, never by ending the process).
QByteArray EncodeJpeg(const QImage& picture);

}  // namespace ui
