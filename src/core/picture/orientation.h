#pragma once

#include <QImage>
#include <QSize>

#include <cstddef>

// Cameras store photos as the sensor saw them and record how to turn them
// upright in the EXIF orientation tag (1..8). Everything Pictoloom draws, copies
// or measures uses the upright picture, as every viewer shows it.
namespace Orientation {

// The orientation tag of an APP1 "Exif" payload, or 1 when there is none or it is unreadable.
int fromExifPayload(const unsigned char *data, std::size_t length);

// Orientations 5 to 8 swap width and height.
QSize upright(QSize stored, int orientation);

QImage applied(const QImage &stored, int orientation);

} // namespace Orientation
