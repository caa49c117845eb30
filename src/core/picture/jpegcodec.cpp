#include "picture/jpegcodec.h"

#include "error.h"
#include "paths/atomicfile.h"
#include "picture/orientation.h"


#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>


#include <jpeglib.h>
#include <jerror.h>

namespace JpegCodec {

namespace {

// A hostile file must not take the machine's memory: libjpeg's own pools are
// capped, and so is the picture we are asked to fill.
constexpr long MaxDecoderMemory = 1L << 30;
constexpr qint64 MaxDecodedPixels = qint64(256) << 20;
// Real progressive files have about ten scans. Each scan makes the decoder
// walk the whole coefficient buffer, so thousands of tiny scans would keep a
// thread busy for minutes on a file of a few kilobytes.
constexpr int MaxScans = 500;

struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void exitWithJump(j_common_ptr cinfo)
{
    auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

[[noreturn]] void exitWithMessage(j_common_ptr cinfo, const char *message)
{
    auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
    std::snprintf(err->message, sizeof err->message, "%s", message);
    std::longjmp(err->jump, 1);
}

// Called while the decoder takes in a multi-scan file.
extern "C" void limitScans(j_common_ptr cinfo)
{
    if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > MaxScans)
        exitWithMessage(cinfo, "Too many scans in the JPEG file");
}

// Warnings are ignored but for a truncated file: libjpeg would pad it with grey
// and call it a success.
extern "C" void emitMessage(j_common_ptr cinfo, int level)
{
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF)
        exitWithJump(cinfo);
}

void installErrorManager(ErrorManager &err)
{
    jpeg_std_error(&err.pub);
    err.pub.error_exit = exitWithJump;
    err.pub.emit_message = emitMessage;
    err.message[0] = '\0';
}

struct Decompressor
{
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    jpeg_progress_mgr progress{};
    bool created = false;
    Decompressor()
    {
        installErrorManager(err);
        cinfo.err = &err.pub;
        progress.progress_monitor = limitScans;
    }
    ~Decompressor()
    {
        if (created)
            jpeg_destroy_decompress(&cinfo);
    }
};

struct Compressor
{
    jpeg_compress_struct cinfo{};
    ErrorManager err{};
    bool created = false;
    unsigned char *output = nullptr;
    unsigned long outputSize = 0;
    Compressor() { installErrorManager(err); cinfo.err = &err.pub; }
    ~Compressor()
    {
        if (created)
            jpeg_destroy_compress(&cinfo);
        std::free(output);
    }
};

// The functions below call setjmp. They hold no C++ object with a destructor,
// so a longjmp into them skips nothing; state lives in the heap objects above.

bool openSource(Decompressor *d, const QByteArray *data, bool withMarkers)
{
    if (setjmp(d->err.jump))
        return false;
    jpeg_create_decompress(&d->cinfo);
    d->created = true;
    d->cinfo.mem->max_memory_to_use = MaxDecoderMemory;
    d->cinfo.progress = &d->progress;
    jpeg_mem_src(&d->cinfo, reinterpret_cast<const unsigned char *>(data->constData()),
                 static_cast<unsigned long>(data->size()));
    if (withMarkers)
        jpeg_save_markers(&d->cinfo, JPEG_APP0 + 1, 0xffff);
    jpeg_read_header(&d->cinfo, TRUE);
    return true;
}

bool prepareOutput(Decompressor *d, int denominator)
{
    if (setjmp(d->err.jump))
        return false;
    const bool cmyk = d->cinfo.jpeg_color_space == JCS_CMYK || d->cinfo.jpeg_color_space == JCS_YCCK;
    // 0xffRRGGBB words, QImage's RGB32, straight from the decoder.
    d->cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    d->cinfo.scale_num = 1;
    d->cinfo.scale_denom = static_cast<unsigned>(denominator);
    jpeg_calc_output_dimensions(&d->cinfo);
    return true;
}

// A progressive or multi-scan file is held whole as coefficients, at the
// stored size whatever the scale: two bytes for each of its samples.
qint64 coefficientBytes(const jpeg_decompress_struct &cinfo)
{
    // What libjpeg's own jpeg_has_multiple_scans() tells, without a call that could jump.
    if (!cinfo.progressive_mode && cinfo.comps_in_scan >= cinfo.num_components)
        return 0;
    qint64 bytes = 0;
    for (int i = 0; i < cinfo.num_components; ++i) {
        const jpeg_component_info &c = cinfo.comp_info[i];
        bytes += qint64(c.width_in_blocks + c.h_samp_factor) * (c.height_in_blocks + c.v_samp_factor)
            * qint64(sizeof(JBLOCK));
    }
    return bytes;
}

bool readPixels(Decompressor *d, unsigned char *bits, qsizetype bytesPerLine, unsigned char *cmykRow)
{
    if (setjmp(d->err.jump))
        return false;
    jpeg_start_decompress(&d->cinfo);
    const bool cmyk = d->cinfo.out_color_space == JCS_CMYK;
    // Adobe writes CMYK inverted; its marker says so.
    const bool inverted = d->cinfo.saw_Adobe_marker;
    while (d->cinfo.output_scanline < d->cinfo.output_height) {
        unsigned char *line = bits + qsizetype(d->cinfo.output_scanline) * bytesPerLine;
        JSAMPROW row = cmyk ? cmykRow : line;
        jpeg_read_scanlines(&d->cinfo, &row, 1);
        if (!cmyk)
            continue;
        for (JDIMENSION x = 0; x < d->cinfo.output_width; ++x) {
            unsigned c = cmykRow[4 * x], m = cmykRow[4 * x + 1], y = cmykRow[4 * x + 2], k = cmykRow[4 * x + 3];
            if (!inverted) {
                c = 255 - c; m = 255 - m; y = 255 - y; k = 255 - k;
            }
            line[4 * x] = static_cast<unsigned char>(y * k / 255);
            line[4 * x + 1] = static_cast<unsigned char>(m * k / 255);
            line[4 * x + 2] = static_cast<unsigned char>(c * k / 255);
            line[4 * x + 3] = 255;
        }
    }
    jpeg_finish_decompress(&d->cinfo);
    return true;
}

bool compress(Compressor *c, const unsigned char *bits, qsizetype bytesPerLine, int width, int height, int quality)
{
    if (setjmp(c->err.jump))
        return false;
    jpeg_create_compress(&c->cinfo);
    c->created = true;
    jpeg_mem_dest(&c->cinfo, &c->output, &c->outputSize);
    c->cinfo.image_width = static_cast<JDIMENSION>(width);
    c->cinfo.image_height = static_cast<JDIMENSION>(height);
    c->cinfo.input_components = 4;
    c->cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&c->cinfo);
    jpeg_set_quality(&c->cinfo, quality, TRUE);
    jpeg_start_compress(&c->cinfo, TRUE);
    while (c->cinfo.next_scanline < c->cinfo.image_height) {
        JSAMPROW row = const_cast<unsigned char *>(bits + qsizetype(c->cinfo.next_scanline) * bytesPerLine);
        jpeg_write_scanlines(&c->cinfo, &row, 1);
    }
    jpeg_finish_compress(&c->cinfo);
    return true;
}

[[noreturn]] void fail(const ErrorManager &err)
{
    throw PictoloomError(QString::fromLocal8Bit(err.message));
}

int orientationOf(const jpeg_decompress_struct &cinfo)
{
    for (jpeg_saved_marker_ptr m = cinfo.marker_list; m; m = m->next) {
        if (m->marker == JPEG_APP0 + 1) {
            const int o = Orientation::fromExifPayload(m->data, m->data_length);
            if (o != 1)
                return o;
        }
    }
    return 1;
}

} // namespace

Header readHeader(const QByteArray &data)
{
    if (data.isEmpty())
        throw PictoloomError(QStringLiteral("Empty input buffer"));
    auto d = std::make_unique<Decompressor>();
    if (!openSource(d.get(), &data, true))
        fail(d->err);
    Header header;
    header.size = QSize(int(d->cinfo.image_width), int(d->cinfo.image_height));
    header.orientation = orientationOf(d->cinfo);
    return header;
}

QImage decode(const QByteArray &data, int denominator)
{
    if (data.isEmpty())
        throw PictoloomError(QStringLiteral("Empty input buffer"));
    auto d = std::make_unique<Decompressor>();
    if (!openSource(d.get(), &data, false) || !prepareOutput(d.get(), denominator))
        fail(d->err);

    // Refused before anything is allocated, so a bomb fails at once.
    const qint64 pixels = qint64(d->cinfo.output_width) * d->cinfo.output_height;
    if (pixels > MaxDecodedPixels || coefficientBytes(d->cinfo) > MaxDecoderMemory)
        throw PictoloomError(QStringLiteral("Image too large (%1 x %2 pixels)")
                                 .arg(d->cinfo.image_width).arg(d->cinfo.image_height));

    QImage image(int(d->cinfo.output_width), int(d->cinfo.output_height), QImage::Format_RGB32);
    if (image.isNull())
        throw PictoloomError(QStringLiteral("Out of memory"));
    std::vector<unsigned char> cmykRow(d->cinfo.out_color_space == JCS_CMYK ? 4 * d->cinfo.output_width : 0);
    if (!readPixels(d.get(), image.bits(), image.bytesPerLine(), cmykRow.data()))
        fail(d->err);
    return image;
}

QByteArray encode(const QImage &image, int quality)
{
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        throw PictoloomError(QStringLiteral("Cannot save an empty image"));
    if (image.width() > JPEG_MAX_DIMENSION || image.height() > JPEG_MAX_DIMENSION)
        throw PictoloomError(QStringLiteral("Maximum supported image dimension is %1 pixels")
                                 .arg(JPEG_MAX_DIMENSION));
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    auto c = std::make_unique<Compressor>();
    if (!compress(c.get(), rgb.constBits(), rgb.bytesPerLine(), rgb.width(), rgb.height(),
                  std::clamp(quality, 1, 100)))
        fail(c->err);
    return QByteArray(reinterpret_cast<const char *>(c->output), qsizetype(c->outputSize));
}

void writeFile(const QImage &image, int quality, const QString &path)
{
    WriteFileAtomically(path, encode(image, quality));
}

} // namespace JpegCodec
