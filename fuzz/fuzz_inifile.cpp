// The settings file reader and writer on an arbitrary file. The first byte says
// how many of the following bytes form a value to write; the rest is the file.
// After the write the value must read back, and the entries around it must
// read as before.
#include "error.h"
#include "settings/inifile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

const QString Section = QStringLiteral("Fuzz");
const QString Key = QStringLiteral("Key");
const QString Missing = QStringLiteral("\x01missing");

// What readString() gives back unchanged: one line, no outer blanks or quotes.
QString storableValue(const QByteArray &bytes)
{
    QString value = QString::fromUtf8(bytes);
    value.remove(QLatin1Char('\r')).remove(QLatin1Char('\n')).remove(QChar(0));
    const auto trimmed = [](QChar c) {
        return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('"') || c == QLatin1Char('\'');
    };
    while (!value.isEmpty() && trimmed(value.front()))
        value.remove(0, 1);
    while (!value.isEmpty() && trimmed(value.back()))
        value.chop(1);
    return value;
}

struct Neighbours
{
    QString sameSection;
    QString otherSection;
    bool operator==(const Neighbours &) const = default;
};

Neighbours neighboursOf(const IniFile &ini)
{
    return {ini.readString(Section, QStringLiteral("Other"), Missing),
            ini.readString(QStringLiteral("Other"), QStringLiteral("Name"), Missing)};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir dir;
    if (size < 1 || !dir.isValid())
        return 0;
    const std::size_t valueLength = std::min<std::size_t>(data[0] % 64, size - 1);
    const QString value = storableValue(QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(valueLength)));
    const QByteArray content(reinterpret_cast<const char *>(data + 1 + valueLength),
                             qsizetype(size - 1 - valueLength));

    const QString path = dir.filePath(QStringLiteral("fuzz.ini"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
            return 0;
    }

    try {
        IniFile ini(path);
        ini.readInteger(Section, Key, 0);
        ini.readBool(QStringLiteral("Other"), QStringLiteral("Name"), false);
        const Neighbours before = neighboursOf(ini);
        ini.writeString(Section, Key, value);
        if (ini.readString(Section, Key, Missing) != value)
            std::abort();
        if (!(neighboursOf(ini) == before))
            std::abort();
    } catch (const PictoloomError &) {
    }
    return 0;
}
