#pragma once

#include <QByteArray>
#include <QString>

namespace lumera {

// The programs' files are in the Chinese ANSI code page. GB18030 is used both ways: it has
// the same bytes as GB2312/GBK for every character those have and can still hold the rest.
// Bytes that are not valid GB18030 decode to U+FFFD, one per bad byte; decoding never fails.
QString decodeAnsi(const QByteArray& bytes);
QByteArray encodeAnsi(const QString& text);

} // namespace lumera
