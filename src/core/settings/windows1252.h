#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The Western 8-bit code page that settings files written on Windows use.
// The five byte values the code page leaves undefined map to the C1 control
// characters of the same number, so every byte sequence survives a round trip.
namespace Windows1252 {

QString decode(const QByteArray &bytes);

// Empty when the text holds a character the code page cannot represent.
std::optional<QByteArray> encode(QStringView text);

} // namespace Windows1252
