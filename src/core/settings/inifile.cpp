#include "settings/inifile.h"

#include "error.h"
#include "settings/windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

#include <optional>

namespace {

const QByteArray Utf16Mark("\xFF\xFE", 2);

enum class Encoding { Utf16, Utf8, Windows1252 };

// One line of the file as byte offsets, so that a write can copy every line it
// does not rewrite unchanged.
struct Line
{
    qsizetype start = 0;
    qsizetype textEnd = 0; // before the line end
    qsizetype end = 0;     // after the line end; equals textEnd on an unterminated last line
    QString text;

    bool terminated() const { return end > textEnd; }
};

struct Document
{
    QByteArray bytes;
    Encoding encoding = Encoding::Utf16;
    QList<Line> lines;
};

// Where a key lives, as line indexes; -1 for what is not there.
struct Location
{
    qsizetype header = -1;
    qsizetype key = -1;
    qsizetype lastEntry = -1;
};

bool isValidUtf8(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const auto *const end = p + bytes.size();
    while (p < end) {
        const unsigned char lead = *p++;
        if (lead < 0x80)
            continue;
        int follow = 0;
        char32_t minimum = 0;
        char32_t code = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            follow = 1, minimum = 0x80, code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            follow = 2, minimum = 0x800, code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            follow = 3, minimum = 0x10000, code = lead & 0x07;
        } else {
            return false;
        }
        if (end - p < follow)
            return false;
        for (int i = 0; i < follow; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (p[i] & 0x3F);
        }
        p += follow;
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
    }
    return true;
}

// An 8-bit line is UTF-8 where it is valid UTF-8 and Windows-1252 otherwise.
QString decode8Bit(const QByteArray &bytes)
{
    return isValidUtf8(bytes) ? QString::fromUtf8(bytes) : Windows1252::decode(bytes);
}

QString decodeUtf16(const QByteArray &bytes, qsizetype start, qsizetype end)
{
    QString text;
    text.reserve((end - start) / 2);
    for (qsizetype i = start; i + 1 < end; i += 2)
        text.append(QChar(char16_t(uchar(bytes[i]) | (uchar(bytes[i + 1]) << 8))));
    return text;
}

Document parse(QByteArray bytes)
{
    Document doc;
    doc.bytes = std::move(bytes);
    const QByteArray &b = doc.bytes;
    if (b.startsWith(Utf16Mark)) {
        doc.encoding = Encoding::Utf16;
        // A stray last byte is half a character: no line holds it, and text
        // appended after it would be read shifted by one byte.
        if ((b.size() - Utf16Mark.size()) % 2 != 0)
            doc.bytes.chop(1);
        qsizetype start = Utf16Mark.size();
        while (start < b.size()) {
            qsizetype i = start;
            while (i + 1 < b.size() && !(b[i] == '\n' && b[i + 1] == '\0'))
                i += 2;
            Line line;
            line.start = start;
            if (i + 1 < b.size()) {
                const bool cr = i - 2 >= start && b[i - 2] == '\r' && b[i - 1] == '\0';
                line.textEnd = cr ? i - 2 : i;
                line.end = i + 2;
            } else {
                line.textEnd = line.end = b.size();
            }
            line.text = decodeUtf16(b, line.start, line.textEnd);
            doc.lines.append(line);
            start = line.end;
        }
        return doc;
    }

    doc.encoding = isValidUtf8(b) ? Encoding::Utf8 : Encoding::Windows1252;
    qsizetype start = 0;
    while (start < b.size()) {
        const qsizetype nl = b.indexOf('\n', start);
        Line line;
        line.start = start;
        if (nl >= 0) {
            line.textEnd = nl > start && b[nl - 1] == '\r' ? nl - 1 : nl;
            line.end = nl + 1;
        } else {
            line.textEnd = line.end = b.size();
        }
        line.text = decode8Bit(b.mid(line.start, line.textEnd - line.start));
        doc.lines.append(line);
        start = line.end;
    }
    // A UTF-8 mark left by an editor is not part of the first line's text.
    if (!doc.lines.isEmpty() && doc.lines.first().text.startsWith(QChar(0xFEFF)))
        doc.lines.first().text.remove(0, 1);
    return doc;
}

QByteArray encode(const Document &doc, const QString &text)
{
    switch (doc.encoding) {
    case Encoding::Utf16: {
        QByteArray bytes;
        bytes.reserve(text.size() * 2);
        for (const QChar c : text) {
            bytes.append(char(c.unicode() & 0xFF));
            bytes.append(char(c.unicode() >> 8));
        }
        return bytes;
    }
    case Encoding::Utf8:
        return text.toUtf8();
    case Encoding::Windows1252:
        // A text the code page cannot hold, or whose bytes would read back
        // as UTF-8, goes in as UTF-8 rather than losing characters.
        if (const std::optional<QByteArray> bytes = Windows1252::encode(text);
            bytes && decode8Bit(*bytes) == text)
            return *bytes;
        return text.toUtf8();
    }
    return {};
}

QByteArray lineEnd(const Document &doc)
{
    return doc.encoding == Encoding::Utf16 ? QByteArray("\r\0\n\0", 4) : QByteArray("\r\n");
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QStringView trimBlanks(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

std::optional<QStringView> sectionNameOf(QStringView text)
{
    const QStringView trimmed = trimBlanks(text);
    if (!trimmed.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = trimmed.lastIndexOf(QLatin1Char(']'));
    if (close < 1)
        return std::nullopt;
    return trimBlanks(trimmed.sliced(1, close - 1));
}

struct Entry
{
    QStringView key;
    QStringView value; // blanks and tabs trimmed, quotes kept
};

std::optional<Entry> entryOf(QStringView text)
{
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq < 0)
        return std::nullopt;
    return Entry{trimBlanks(text.first(eq)), trimBlanks(text.sliced(eq + 1))};
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Only the first of sections with the same name is seen, and in it only the
// first of keys with the same name. Every non-blank line of a section counts
// as an entry when placing a new key, comment lines included.
Location locate(const Document &doc, const QString &section, const QString &key)
{
    Location loc;
    for (qsizetype i = 0; i < doc.lines.size(); ++i) {
        const QString &text = doc.lines[i].text;
        const std::optional<QStringView> name = sectionNameOf(text);
        if (loc.header < 0) {
            if (name && sameName(*name, section))
                loc.header = i;
            continue;
        }
        if (name)
            break;
        if (trimBlanks(text).isEmpty())
            continue;
        loc.lastEntry = i;
        if (loc.key < 0) {
            const std::optional<Entry> entry = entryOf(text);
            if (entry && sameName(entry->key, key))
                loc.key = i;
        }
    }
    return loc;
}

std::optional<Document> loadDocument(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parse(file.readAll());
}

[[noreturn]] void throwUnableToWrite(const QString &path)
{
    throw PictoloomError(QStringLiteral("Unable to write to %1").arg(path));
}

QString unquoted(QStringView value)
{
    if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''))
        && value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    return value.toString();
}

QString limitedToReadLength(QString text)
{
    if (text.size() > IniFile::MaxReadLength) {
        text.truncate(IniFile::MaxReadLength);
        // Never hand out half of a surrogate pair.
        if (text.back().isHighSurrogate())
            text.chop(1);
    }
    return text;
}

bool hasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (base == 16 && u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (base == 16 && u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

std::optional<int> parseInteger(QStringView text)
{
    bool negative = false;
    if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'))) {
        negative = text.front() == QLatin1Char('-');
        text = text.sliced(1);
    }
    int base = 10;
    if (text.startsWith(QLatin1Char('$'))) {
        base = 16;
        text = text.sliced(1);
    } else if (text.startsWith(QLatin1String("0x")) || text.startsWith(QLatin1String("0X"))) {
        base = 16;
        text = text.sliced(2);
    }
    if (text.isEmpty())
        return std::nullopt;
    // Hexadecimal covers the full 32 bits (so "$FFFFFFFF" is -1); decimal
    // must fit into an int.
    const qint64 limit = base == 16 ? 0xFFFFFFFFLL : (negative ? 0x80000000LL : 0x7FFFFFFFLL);
    qint64 value = 0;
    for (const QChar c : text) {
        const int digit = digitValue(c, base);
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
        if (value > limit)
            return std::nullopt;
    }
    if (base == 16)
        value = qint32(quint32(value));
    return int(negative ? -value : value);
}

} // namespace

IniFile::IniFile(const QString &path)
    : m_path(path)
{
    if (QFileInfo::exists(path))
        return;
    QFile file(path);
    // NewOnly, so that a second copy of the program creating it at the same
    // moment is not overwritten.
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (file.write(Utf16Mark) == Utf16Mark.size() && file.flush())
            return;
        const QString reason = file.errorString();
        file.remove();
        throw PictoloomError(QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason));
    }
    if (!QFileInfo::exists(path))
        throw PictoloomError(
            QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString()));
}

QString IniFile::readString(const QString &section, const QString &key,
                            const QString &defaultValue) const
{
    if (const std::optional<Document> doc = loadDocument(m_path)) {
        const Location loc = locate(*doc, section, key);
        if (loc.key >= 0)
            return limitedToReadLength(unquoted(entryOf(doc->lines[loc.key].text)->value));
    }
    return limitedToReadLength(defaultValue);
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    return parseInteger(readString(section, key, QString())).value_or(defaultValue);
}

bool IniFile::readBool(const QString &section, const QString &key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    // A line break would split the line and plant other keys in the file.
    if (hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value))
        throwUnableToWrite(m_path);

    std::optional<Document> loaded;
    if (!QFileInfo::exists(m_path))
        loaded = parse(Utf16Mark);
    else
        loaded = loadDocument(m_path);
    if (!loaded)
        throwUnableToWrite(m_path);
    const Document &doc = *loaded;
    const QByteArray &bytes = doc.bytes;

    QString trimmedValue = value;
    while (trimmedValue.startsWith(QLatin1Char(' ')))
        trimmedValue.remove(0, 1);
    while (trimmedValue.endsWith(QLatin1Char(' ')))
        trimmedValue.chop(1);

    const Location loc = locate(doc, section, key);
    QByteArray out;
    if (loc.key >= 0) {
        const Line &line = doc.lines[loc.key];
        const Entry entry = *entryOf(line.text);
        if (entry.value == trimmedValue)
            return;
        // The stored spelling of the key stays.
        out = bytes.first(line.start)
            + encode(doc, entry.key.toString() + QLatin1Char('=') + trimmedValue)
            + (line.terminated() ? bytes.sliced(line.textEnd, line.end - line.textEnd) : lineEnd(doc))
            + bytes.sliced(line.end);
    } else if (loc.header >= 0) {
        const Line &after = doc.lines[loc.lastEntry >= 0 ? loc.lastEntry : loc.header];
        out = bytes.first(after.end) + (after.terminated() ? QByteArray() : lineEnd(doc))
            + encode(doc, key + QLatin1Char('=') + trimmedValue) + lineEnd(doc)
            + bytes.sliced(after.end);
    } else {
        out = bytes;
        if (!doc.lines.isEmpty() && !doc.lines.back().terminated())
            out += lineEnd(doc);
        out += encode(doc, QLatin1Char('[') + section + QLatin1Char(']')) + lineEnd(doc)
            + encode(doc, key + QLatin1Char('=') + trimmedValue) + lineEnd(doc);
    }

    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit())
        throwUnableToWrite(m_path);
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
