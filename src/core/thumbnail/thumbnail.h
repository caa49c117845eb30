#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

class JpegPicture;
class Picture;

// Pictures Pictoloom draws are opaque RGB images (QImage::Format_RGB32): what
// the sheet is made of, and what every stretch and copy produces.

// The fallback picture drawn in place of a file that cannot be read. Set from the
// "Default image" setting at the start of every run.
extern QString DefaultImageName;

// a * b / c with a 64-bit product, rounded to nearest with halves away from zero;
// a zero divisor or a result outside 32 bits gives -1.
int MulDiv(int a, int b, int c);

// The size of width x height fitted into a square of side n: the longer side
// becomes exactly n (small pictures are enlarged).
QRect ProportionalRect(int width, int height, int n);

// Picks the coarsest of 1/1, 1/2, 1/4, 1/8 that still decodes to at least w x h.
// Throws PictoloomError when w or h is zero.
void ChooseJpegScale(JpegPicture &picture, int w, int h);

// The whole source resampled onto the whole target (already sized), averaging the
// source pixels each target pixel covers.
void SmoothStretch(const QImage &source, QImage &target);

// The picture fitted into n x n. A fitted side of zero gives an empty image for
// raster pictures and an error for JPEG ones.
void GraphicToThumbnail(Picture &picture, QImage &target, int n);

// Called with the path as given and the reader's reason when a file cannot be
// read; the window shows "File loading problem: %s, %s", the command-line tool a line.
using LoadProblemHandler = std::function<void(const QString &path, const QString &reason)>;

// One attempt at a file's thumbnail, without the fallback: what FileToThumbnail
// does first, and what the decoding threads of a run do ahead of it.
struct ThumbnailAttempt
{
    enum Outcome {
        Made,        // thumbnail holds the picture fitted into the square
        Unreadable,  // the file could not be read or decoded: reason says why
        Failed,      // the picture was read but has no thumbnail (a JPEG too thin to fit)
    };
    Outcome outcome = Made;
    QImage thumbnail;
    QSize fullSize; // the picture's upright size, once it was read
    QString reason;
};
ThumbnailAttempt TryFileToThumbnail(const QString &path, int n);

// DefaultImageName's picture fitted into n x n; used becomes DefaultImageName
// once it has been read. Throws when it cannot be read.
void DefaultImageThumbnail(QImage &target, int n, QString &used);

// The file at path fitted into n x n, or DefaultImageName's picture when it cannot
// be read (after onProblem has been told). used names the file really drawn.
// A failing fallback propagates, with used still naming path.
void FileToThumbnail(const QString &path, QImage &target, int n, QString &used,
                     const LoadProblemHandler &onProblem);

// The picture at full size, or a null image when it cannot be read.
QImage LoadBitmap(const QString &path);

// The picture a copy of source holds: full size, or shrunk so neither side
// exceeds maxSide when shrink is set and maxSide >= 1 (never enlarged).
// Throws when the source cannot be read.
QImage CopyImageFor(const QString &source, int maxSide, bool shrink);

// Writes image as a quality-90 JPEG at destination, refusing to replace source.
// Throws with the system's reason when the destination cannot be written.
void WriteJpegCopy(const QImage &image, const QString &source, const QString &destination);

// Writes source as a quality-90 JPEG at destination, shrunk so neither side
// exceeds maxSide when shrink is set (never enlarged). Errors propagate.
void CopyAsJpeg(const QString &source, const QString &destination, int maxSide, bool shrink);

// The upright full size of the picture at path. Errors propagate.
QSize ReadImageDimensions(const QString &path);
