#include "excel/biff_cells.h"

#include "document/ansi_text.h"
#include "excel/compound_file.h"
#include "excel/little_endian.h"

#include <array>
#include <cstring>

using namespace Qt::StringLiterals;

namespace tivora::excel {
namespace {

// Record identifiers; BIFF 2 numbers its cell records without the high byte.
enum Record : quint16 {
    kEof = 0x000A,
    kCodePage = 0x0042,
    kBoundSheet = 0x0085,
    kFormula = 0x0006,
    kFormula3 = 0x0206,
    kFormula4 = 0x0406,
    kString = 0x0207,
    kString2 = 0x0007,
    kBoolErr = 0x0205,
    kBoolErr2 = 0x0005,
    kNumber = 0x0203,
    kNumber2 = 0x0003,
    kInteger2 = 0x0002,
    kRk = 0x027E,
    kMulRk = 0x00BD,
    kLabel = 0x0204,
    kLabel2 = 0x0004,
    kRString = 0x00D6,
};

constexpr int kMacRoman = 10000;
constexpr int kMacRomanBiff = 0x8000;

// Mac Roman's characters for the bytes 0x80 to 0xFF; the lower half is ASCII.
constexpr char16_t kMacRomanHigh[] =
    u"ÄÅÇÉÑÖÜáàâäãåçéèêëíìîïñóòôöõúùûü†°¢£§•¶ß®©™´¨≠ÆØ∞±≤≥¥µ∂∑∏π∫ªºΩæø¿¡¬√ƒ≈∆«»…\u00A0ÀÃÕŒœ"
    u"–—“”‘’÷◊ÿŸ⁄€‹›ﬁﬂ‡·‚„‰ÂÊÁËÈÍÎÏÌÓÔ\uF8FFÒÚÛÙıˆ˜¯˘˙˚¸˝˛ˇ";
static_assert(std::size(kMacRomanHigh) == 129);

double doubleAt(QByteArrayView bytes, qsizetype at) {
    const quint64 bits =
        at >= 0 && at + 8 <= bytes.size() ? qFromLittleEndian<quint64>(bytes.data() + at) : 0;
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// A number as an RK value packs it: a 30-bit integer or the high half of a double, either
// perhaps scaled by 100.
double rkValue(quint32 rk) {
    double value = 0;
    if (rk & 2) {
        value = double(qint32(rk) >> 2);
    } else {
        const quint64 bits = quint64(rk & 0xFFFFFFFC) << 32;
        std::memcpy(&value, &bits, sizeof value);
    }
    return rk & 1 ? value / 100 : value;
}

// The error values by their codes; any other code reads as "#N/A".
constexpr std::array<std::pair<quint8, const char16_t*>, 6> kErrorTexts = {{
    {0x00, u"#NULL!"},
    {0x07, u"#DIV/0!"},
    {0x0F, u"#VALUE!"},
    {0x17, u"#REF!"},
    {0x1D, u"#NAME?"},
    {0x24, u"#NUM!"},
}};

QString errorText(quint8 code) {
    for (const auto& [known, text] : kErrorTexts) {
        if (known == code)
            return QString::fromUtf16(text);
    }
    return u"#N/A"_s;
}

CellValue logicalOrError(quint8 value, bool isError) {
    return isError ? CellValue::ofError(errorText(value)) : CellValue::ofBoolean(value != 0);
}

struct RecordView {
    quint16 id = 0;
    QByteArrayView data;
};

// Walks the records of a stream from an offset; a record cut short by the stream's end ends it.
class RecordWalk {
public:
    RecordWalk(QByteArrayView stream, qsizetype at)
        : m_stream(stream)
        , m_at(at) {}

    std::optional<RecordView> next() {
        if (m_at < 0 || m_at + 4 > m_stream.size())
            return std::nullopt;
        const quint16 id = wordAt(m_stream, m_at);
        const qsizetype length = wordAt(m_stream, m_at + 2);
        if (m_at + 4 + length > m_stream.size())
            return std::nullopt;
        const RecordView record{id, m_stream.sliced(m_at + 4, length)};
        m_at += 4 + length;
        return record;
    }

private:
    QByteArrayView m_stream;
    qsizetype m_at;
};

bool isBof(quint16 id) {
    return (id & 0xFF) == 0x09 && (id >> 8) <= 0x08 && ((id >> 8) & 1) == 0;
}

} // namespace

std::optional<BiffCells> BiffCells::scan(QByteArrayView file) {
    BiffCells cells;
    if (const auto workbook = compoundFileStream(file, u"Workbook"))
        cells.m_stream = *workbook;
    else if (const auto book = compoundFileStream(file, u"Book"))
        cells.m_stream = *book;
    else
        cells.m_stream = file.toByteArray();
    RecordWalk walk(cells.m_stream, 0);
    const auto bof = walk.next();
    if (!bof || !isBof(bof->id))
        return std::nullopt;
    if (bof->id != 0x0809) {
        // BIFF 2 to 4: the stream is one worksheet.
        cells.m_version = bof->id == 0x0009 ? 2 : bof->id == 0x0209 ? 3 : 4;
        cells.m_sheetOffsets.push_back(0);
        return cells;
    }
    cells.m_version = wordAt(bof->data, 0) == 0x0600 ? 8 : 5;
    while (const auto record = walk.next()) {
        if (record->id == kEof)
            break;
        if (record->id == kCodePage)
            cells.m_codePage = wordAt(record->data, 0);
        else if (record->id == kBoundSheet)
            cells.m_sheetOffsets.push_back(qsizetype(dwordAt(record->data, 0)));
    }
    return cells;
}

bool BiffCells::readsAlone() const {
    return m_version <= 5 && (m_codePage == kMacRoman || m_codePage == kMacRomanBiff);
}

QString BiffCells::decodeBytes(QByteArrayView bytes) const {
    if (m_codePage == kMacRoman || m_codePage == kMacRomanBiff) {
        QString text;
        text.reserve(bytes.size());
        for (const char each : bytes) {
            const auto code = static_cast<unsigned char>(each);
            text.append(code < 0x80 ? QChar(char16_t(code)) : QChar(kMacRomanHigh[code - 0x80]));
        }
        return text;
    }
    return ansiToString(bytes);
}

// A string of the record's data at an offset: its length in one or two bytes, then (in BIFF 8)
// a flags byte and the characters, one byte each or UTF-16; earlier versions hold code page
// bytes.
QString BiffCells::stringAt(QByteArrayView data, qsizetype at, int lengthBytes) const {
    const qsizetype length =
        std::min<qsizetype>(lengthBytes == 1 ? byteAt(data, at) : wordAt(data, at), kCellTextKept);
    qsizetype start = std::min(at + lengthBytes, data.size());
    if (m_version < 8)
        return decodeBytes(
            data.sliced(start, std::clamp<qsizetype>(data.size() - start, 0, length)));
    const quint8 flags = byteAt(data, start);
    start += 1 + ((flags & 0x08) ? 2 : 0) + ((flags & 0x04) ? 4 : 0);
    QString text;
    for (qsizetype index = 0; index < length; ++index) {
        const qsizetype position = (flags & 1) ? start + index * 2 : start + index;
        if (position >= data.size())
            break;
        text.append(QChar((flags & 1) ? wordAt(data, position) : byteAt(data, position)));
    }
    return text;
}

void BiffCells::putSheet(int sheet, RangeValues& values) const {
    if (sheet < 1 || sheet > sheetCount())
        return;
    RecordWalk walk(m_stream, m_sheetOffsets[std::size_t(sheet - 1)]);
    const auto bof = walk.next();
    if (!bof || !isBof(bof->id))
        return;
    // BIFF 2 puts three bytes of attributes where later versions put the two of a format index.
    const qsizetype valueAt = m_version == 2 ? 7 : 6;
    const bool every = readsAlone();
    // A formula whose result is text is followed by a record that holds the text.
    std::optional<std::pair<int, int>> pendingText;
    const auto put = [&](const RecordView& record, CellValue value) {
        values.put(wordAt(record.data, 2) + 1, wordAt(record.data, 0) + 1, std::move(value));
    };
    while (const auto record = walk.next()) {
        const QByteArrayView data = record->data;
        switch (record->id) {
        case kEof:
            return;
        case kFormula:
        case kFormula3:
        case kFormula4: {
            pendingText.reset();
            if (wordAt(data, valueAt + 6) != 0xFFFF) {
                put(*record, CellValue::ofNumber(doubleAt(data, valueAt)));
                break;
            }
            const quint8 kind = byteAt(data, valueAt);
            if (kind == 0)
                pendingText = std::pair(wordAt(data, 2) + 1, wordAt(data, 0) + 1);
            else if (kind == 1 || kind == 2)
                put(*record, logicalOrError(byteAt(data, valueAt + 2), kind == 2));
            else
                put(*record, CellValue());
            break;
        }
        case kString:
        case kString2:
            if (pendingText) {
                values.put(pendingText->first, pendingText->second,
                           CellValue::ofText(stringAt(data, 0, record->id == kString2 ? 1 : 2)));
            }
            pendingText.reset();
            break;
        case kBoolErr:
        case kBoolErr2:
            put(*record, logicalOrError(byteAt(data, valueAt), byteAt(data, valueAt + 1) != 0));
            break;
        default:
            if (!every)
                break;
            if (record->id == kNumber || record->id == kNumber2) {
                put(*record, CellValue::ofNumber(doubleAt(data, valueAt)));
            } else if (record->id == kInteger2) {
                put(*record, CellValue::ofNumber(wordAt(data, valueAt)));
            } else if (record->id == kRk) {
                put(*record, CellValue::ofNumber(rkValue(dwordAt(data, 6))));
            } else if (record->id == kLabel || record->id == kRString) {
                put(*record, CellValue::ofText(stringAt(data, 6, 2)));
            } else if (record->id == kLabel2) {
                put(*record, CellValue::ofText(stringAt(data, 7, 1)));
            } else if (record->id == kMulRk) {
                // Row, first column, then a format and an RK value for each column.
                const int row = wordAt(data, 0) + 1;
                const int first = wordAt(data, 2) + 1;
                for (qsizetype at = 4, column = first; at + 6 <= data.size() - 2; at += 6, ++column)
                    values.put(int(column), row,
                               CellValue::ofNumber(rkValue(dwordAt(data, at + 2))));
            }
            break;
        }
    }
}

} // namespace tivora::excel
