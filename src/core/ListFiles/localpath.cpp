#include "ListFiles/localpath.h"

#include <QByteArrayView>

#include <algorithm>

namespace LocalPath {

namespace {

constexpr char16_t EscapeBase = 0xDC00;
constexpr char16_t FirstEscape = 0xDC80;
constexpr char16_t LastEscape = 0xDCFF;

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Length of the strict UTF-8 sequence at bytes[i], or 0 when it is not one:
// no overlong forms, no encoded surrogates, nothing above U+10FFFF.
int sequenceLength(const QByteArray &bytes, qsizetype i)
{
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    if (at(i + 1) < low || at(i + 1) > high)
        return 0;
    for (int k = 2; k < length; ++k) {
        if (!isContinuation(at(i + k)))
            return 0;
    }
    return length;
}

void appendUtf8(QByteArray &out, char32_t code)
{
    if (code < 0x80) {
        out.append(char(code));
    } else if (code < 0x800) {
        out.append(char(0xC0 | (code >> 6)));
        out.append(char(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.append(char(0xE0 | (code >> 12)));
        out.append(char(0x80 | ((code >> 6) & 0x3F)));
        out.append(char(0x80 | (code & 0x3F)));
    } else {
        out.append(char(0xF0 | (code >> 18)));
        out.append(char(0x80 | ((code >> 12) & 0x3F)));
        out.append(char(0x80 | ((code >> 6) & 0x3F)));
        out.append(char(0x80 | (code & 0x3F)));
    }
}

} // namespace

QString fromNative(const QByteArray &bytes)
{
    if (QByteArrayView(bytes).isValidUtf8())
        return QString::fromUtf8(bytes);

    QString text;
    text.reserve(bytes.size());
    qsizetype i = 0;
    while (i < bytes.size()) {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            text.append(QChar(lead));
            ++i;
            continue;
        }
        const int length = sequenceLength(bytes, i);
        if (length == 0) {
            text.append(QChar(char16_t(EscapeBase + lead)));
            ++i;
            continue;
        }
        text.append(QString::fromUtf8(bytes.constData() + i, length));
        i += length;
    }
    return text;
}

QByteArray toNative(const QString &path)
{
    const bool hasEscape = std::any_of(path.cbegin(), path.cend(), [](QChar c) {
        return c.unicode() >= FirstEscape && c.unicode() <= LastEscape;
    });
    if (!hasEscape)
        return path.toUtf8();

    QByteArray bytes;
    bytes.reserve(path.size() * 3);
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t unit = path[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < path.size()
            && QChar::isLowSurrogate(path[i + 1].unicode())) {
            appendUtf8(bytes, QChar::surrogateToUcs4(unit, path[i + 1].unicode()));
            ++i;
        } else if (unit >= FirstEscape && unit <= LastEscape) {
            bytes.append(char(unit - EscapeBase));
        } else if (QChar::isSurrogate(unit)) {
            appendUtf8(bytes, QChar::ReplacementCharacter);
        } else {
            appendUtf8(bytes, unit);
        }
    }
    return bytes;
}

} // namespace LocalPath
