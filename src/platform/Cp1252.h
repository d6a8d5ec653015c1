#pragma once
// Conversion between the files' Windows-1252 bytes and Qt strings, in one place.

#include <QByteArray>
#include <QString>

QString fromCp1252(QByteArrayView bytes);
// Characters Windows-1252 cannot hold become '?'.
QByteArray toCp1252(const QString& text);
// The Windows-1252 code of one character, or -1 when it has none.
int cp1252Code(QChar c);
QChar cp1252Char(unsigned char code);
