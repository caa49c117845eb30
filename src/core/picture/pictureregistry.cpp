#include "picture/pictureregistry.h"

#include "error.h"
#include "paths/pathrules.h"
#include "picture/filebytes.h"
#include "picture/jpegpicture.h"
#include "picture/magickpicture.h"
#include "picture/magickreader.h"

namespace PictureRegistry {

namespace {

struct Registration
{
    const char *extension;
    PictureKind kind;
    const char *description;
    const char *coder; // GraphicsMagick coder; null for our own JPEG reader
};

// In the order the open dialog lists them. Windows enhanced metafiles, Word screen
// captures, Photoshop, Paint Shop Pro and Autodesk files have no reader here, and
// PostScript is never read: its interpreter runs whatever the file says.
const Registration Table[] = {
    {"bmp", PictureKind::Raster, "Windows bitmaps", "BMP"},
    {"rle", PictureKind::Raster, "Run length encoded Windows bitmaps", "BMP"},
    {"dib", PictureKind::Raster, "Device independant Windows bitmaps", "BMP"},
    {"ico", PictureKind::Icon, "Windows icons", "ICO"},
    {"wmf", PictureKind::Metafile, "Windows metafiles", "WMF"},
    {"emf", PictureKind::Metafile, "Windows enhanced meta files", "EMF"},
    {"jpg", PictureKind::Jpeg, "JPG images", nullptr},
    {"jpeg", PictureKind::Jpeg, "JPEG images", nullptr},
    {"jpe", PictureKind::Jpeg, "JPE images", nullptr},
    {"jfif", PictureKind::Jpeg, "JFIF images", nullptr},
    {"gif", PictureKind::Raster, "GIF Image", "GIF"},
    {"png", PictureKind::Raster, "Portable network graphic images", "PNG"},
    {"tif", PictureKind::Raster, "PC TIF images", "TIFF"},
    {"tiff", PictureKind::Raster, "Macintosh TIFF images", "TIFF"},
    {"fax", PictureKind::Raster, "GFI fax images", "FAX"},
    {"tga", PictureKind::Raster, "Truevision images", "TGA"},
    {"win", PictureKind::Raster, "Truevision images", "TGA"},
    {"vst", PictureKind::Raster, "Truevision images", "TGA"},
    {"vda", PictureKind::Raster, "Truevision images", "TGA"},
    {"icb", PictureKind::Raster, "Truevision images", "TGA"},
    {"pcx", PictureKind::Raster, "ZSoft Paintbrush images", "PCX"},
    {"pcc", PictureKind::Raster, "ZSoft Paintbrush images", "PCX"},
    {"scr", PictureKind::Raster, "Word 5.x screen capture images", "SCR"},
    {"psd", PictureKind::Raster, "Photoshop images", "PSD"},
    {"pdd", PictureKind::Raster, "Photoshop images", "PSD"},
    {"psp", PictureKind::Raster, "Paintshop Pro images", "PSP"},
    {"sgi", PictureKind::Raster, "SGI true color images", "SGI"},
    {"rgb", PictureKind::Raster, "SGI true color images", "SGI"},
    {"rgba", PictureKind::Raster, "SGI true color images with alpha", "SGI"},
    {"bw", PictureKind::Raster, "SGI black/white images", "SGI"},
    {"rla", PictureKind::Raster, "Alias/Wavefront images", "RLA"},
    {"rpf", PictureKind::Raster, "Alias/Wavefront images", "RLA"},
    {"ppm", PictureKind::Raster, "Portable pixel map images", "PPM"},
    {"pgm", PictureKind::Raster, "Portable gray map images", "PGM"},
    {"pbm", PictureKind::Raster, "Portable bitmap images", "PBM"},
    {"cel", PictureKind::Raster, "Autodesk images", "CEL"},
    {"pic", PictureKind::Raster, "Autodesk images", "CEL"},
    {"pcd", PictureKind::Raster, "Kodak Photo-CD images", "PCD"},
    {"cut", PictureKind::Raster, "Dr. Halo images", "CUT"},
    // The same readers under the names the picture class also knows them by.
    {"bmp", PictureKind::Raster, "Bitmaps", "BMP"},
    {"ico", PictureKind::Icon, "Icons", "ICO"},
    {"wmf", PictureKind::Metafile, "Metafiles", "WMF"},
    {"emf", PictureKind::Metafile, "Enhanced Metafiles", "EMF"},
    {"jpg", PictureKind::Jpeg, "JPEG Image File", nullptr},
    {"jpeg", PictureKind::Jpeg, "JPEG Image File", nullptr},
    // Formats of today's cameras and the web.
    {"webp", PictureKind::Raster, "WebP images", "WEBP"},
    {"heic", PictureKind::Raster, "HEIC images", "HEIC"},
    {"heif", PictureKind::Raster, "HEIF images", "HEIF"},
    {"avif", PictureKind::Raster, "AVIF images", "AVIF"},
    {"jxl", PictureKind::Raster, "JPEG XL images", "JXL"},
};

struct ReadableTable
{
    QList<PictureFormat> formats;
    QList<const Registration *> registrations; // parallel to formats
    QStringList extensions;
};

const ReadableTable &readable()
{
    static const ReadableTable table = [] {
        ReadableTable t;
        for (const Registration &r : Table) {
            if (r.coder && !MagickReader::hasDecoder(r.coder))
                continue;
            t.formats.append({QString::fromLatin1(r.extension), r.kind, QString::fromLatin1(r.description)});
            t.registrations.append(&r);
            if (!t.extensions.contains(t.formats.last().extension))
                t.extensions.append(t.formats.last().extension);
        }
        return t;
    }();
    return table;
}

const Registration *registrationFor(const QString &extension)
{
    const ReadableTable &t = readable();
    for (qsizetype i = 0; i < t.formats.size(); ++i) {
        if (t.formats[i].extension == extension)
            return t.registrations[i];
    }
    return nullptr;
}

QString patternsOf(const QStringList &extensions)
{
    QStringList patterns;
    for (const QString &e : extensions)
        patterns.append(QStringLiteral("*.") + e);
    // QFileDialog takes the patterns of one entry separated by blanks.
    return patterns.join(QLatin1Char(' '));
}

QString dialogFilter(bool jpegOnly)
{
    const ReadableTable &t = readable();
    QStringList all;
    QStringList entries;
    for (const PictureFormat &f : t.formats) {
        if (jpegOnly && f.kind != PictureKind::Jpeg)
            continue;
        if (!all.contains(f.extension))
            all.append(f.extension);
        entries.append(QStringLiteral("%1 (*.%2)").arg(f.description, f.extension));
    }
    entries.prepend(QStringLiteral("All (%1)").arg(patternsOf(all)));
    return entries.join(QStringLiteral(";;"));
}

} // namespace

const QList<PictureFormat> &formats()
{
    return readable().formats;
}

QStringList extensions()
{
    return readable().extensions;
}

bool isReadable(const QString &extension)
{
    return registrationFor(extension.toLower()) != nullptr;
}

QString openDialogFilter()
{
    return dialogFilter(false);
}

QString jpegDialogFilter()
{
    return dialogFilter(true);
}

QStringList maskList()
{
    QStringList masks;
    for (const QString &e : readable().extensions)
        masks.append(QStringLiteral("*.") + e);
    return masks;
}

std::unique_ptr<Picture> read(const QString &path)
{
    const QString extension = PathRules::extensionOf(PathRules::fileNamePart(path)).mid(1);
    const Registration *r = registrationFor(extension.toLower());
    if (!r)
        throw PictoloomError(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));

    QByteArray bytes = readPictureFile(path);
    if (!r->coder)
        return std::make_unique<JpegPicture>(std::move(bytes));
    return std::make_unique<MagickPicture>(r->kind, MagickReader::read(bytes, r->coder));
}

} // namespace PictureRegistry
