#include "picture/pictureregistry.h"

#include "error.h"
#include "picture/picture.h"

namespace PictureRegistry {

const QList<PictureFormat> &formats()
{
    static const QList<PictureFormat> none;
    return none;
}

QStringList extensions() { return {}; }
bool isReadable(const QString &) { return false; }
QString openDialogFilter() { return {}; }
QString jpegDialogFilter() { return {}; }
QStringList maskList() { return {}; }

std::unique_ptr<Picture> read(const QString &path)
{
    throw PictoloomError(QStringLiteral("Cannot read %1").arg(path));
}

} // namespace PictureRegistry
