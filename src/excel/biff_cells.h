#pragma once

#include "excel/workbook.h"

#include <QByteArray>
#include <optional>
#include <vector>

namespace tivora::excel {

// The values of a legacy workbook (BIFF 2 to 8) read from its records: the cached results of
// formulas, and logical and error values as such, which FreeXL gives as nothing and as numbers;
// and every value of a workbook whose text is in a code page FreeXL does not convert (the Mac
// Roman of Excel for the Mac, BIFF 5 and earlier), which FreeXL refuses whole.
class BiffCells {
public:
    // Scans the bytes of a legacy workbook file, a compound file or a bare BIFF stream; nothing
    // when they hold no workbook stream that starts as one should.
    static std::optional<BiffCells> scan(QByteArrayView file);

    // Whether every value comes from here, FreeXL being unable to read the workbook.
    bool readsAlone() const;
    int sheetCount() const { return int(m_sheetOffsets.size()); }
    // Puts the values of the sheet (from 1) that lie in values' range: those FreeXL does not
    // give as they are, or every value when readsAlone().
    void putSheet(int sheet, RangeValues& values) const;

private:
    BiffCells() = default;
    QString decodeBytes(QByteArrayView bytes) const;
    QString stringAt(QByteArrayView data, qsizetype at, int lengthBytes) const;

    QByteArray m_stream;
    int m_version = 8;
    int m_codePage = 1252;
    std::vector<qsizetype> m_sheetOffsets;
};

} // namespace tivora::excel
