#pragma once

#include <QByteArrayView>
#include <QtEndian>

// Numbers stored low byte first in the binary workbook formats, read with bounds: a number that
// would run past the bytes reads as fallback.
namespace tivora::excel {

inline quint8 byteAt(QByteArrayView bytes, qsizetype at) {
    return at >= 0 && at < bytes.size() ? quint8(bytes[at]) : 0;
}

inline quint16 wordAt(QByteArrayView bytes, qsizetype at) {
    return at >= 0 && at + 2 <= bytes.size() ? qFromLittleEndian<quint16>(bytes.data() + at) : 0;
}

inline quint32 dwordAt(QByteArrayView bytes, qsizetype at, quint32 fallback = 0) {
    return at >= 0 && at + 4 <= bytes.size() ? qFromLittleEndian<quint32>(bytes.data() + at)
                                             : fallback;
}

} // namespace tivora::excel
