#include "excel/freexl_workbook.h"

#include "excel/biff_cells.h"
#include "excel/date_serial.h"
#include "excel/isolated_call.h"

#include <QDataStream>
#include <QFile>
#include <array>
#include <cstdio>
#include <freexl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

// FreeXL is not safe with damaged or hostile files: crafted compound files make it read out of
// bounds. It therefore runs in a program of its own for every step, and only the values it read
// come back.
namespace tivora::excel {
namespace {

constexpr auto kTimeToOpen = 10s;
constexpr auto kTimeToRead = 20s;

// The jobs: "describe PATH" and "read PATH WORKSHEET FIRST-COLUMN FIRST-ROW LAST-COLUMN LAST-ROW
// DATE-SYSTEM", every number in decimal.
constexpr QByteArrayView kDescribeJob = "describe";
constexpr QByteArrayView kReadJob = "read";

enum class Outcome : qint32 { Opened, Unreadable, Damaged, Encrypted };

QString reason(Outcome outcome) {
    switch (outcome) {
    case Outcome::Unreadable:
        return QString::fromLatin1(workbook_error::kUnreadable);
    case Outcome::Encrypted:
        return QString::fromLatin1(workbook_error::kEncrypted);
    default:
        return QString::fromLatin1(workbook_error::kDamaged);
    }
}

// Why a job gave no answer: it was stopped, or the workbook made it fail.
QString failureOf(const std::stop_token& stop) {
    return stop.stop_requested() ? QString::fromLatin1(workbook_error::kCancelled)
                                 : reason(Outcome::Damaged);
}

unsigned infoOf(const void* handle, unsigned short what) {
    unsigned value = 0;
    freexl_get_info(handle, what, &value);
    return value;
}

// An open FreeXL handle, closed with its scope.
class FreeXlFile {
public:
    explicit FreeXlFile(const QByteArray& path) {
        m_opened = freexl_open(path.constData(), &m_handle);
    }
    ~FreeXlFile() {
        if (m_handle)
            freexl_close(m_handle);
    }
    FreeXlFile(const FreeXlFile&) = delete;
    FreeXlFile& operator=(const FreeXlFile&) = delete;

    const void* handle() const { return m_handle; }
    Outcome outcome() const {
        if (m_opened == FREEXL_FILE_NOT_FOUND)
            return Outcome::Unreadable;
        if (m_opened != FREEXL_OK)
            return Outcome::Damaged;
        if (infoOf(m_handle, FREEXL_BIFF_PASSWORD) == FREEXL_BIFF_OBFUSCATED)
            return Outcome::Encrypted;
        return Outcome::Opened;
    }

private:
    const void* m_handle = nullptr;
    int m_opened = FREEXL_OK;
};

CellValue valueOf(const FreeXL_CellValue& cell, DateSystem dates) {
    switch (cell.type) {
    case FREEXL_CELL_INT:
        return CellValue::ofNumber(cell.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return CellValue::ofNumber(cell.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        return CellValue::ofText(QString::fromUtf8(cell.value.text_value).left(kCellTextKept));
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME: {
        // FreeXL formats date cells; the workbook holds their day numbers.
        const QString text = QString::fromUtf8(cell.value.text_value);
        if (const auto serial = dateTimeSerial(text, dates))
            return CellValue::ofNumber(*serial);
        return CellValue::ofText(text);
    }
    default:
        return CellValue();
    }
}

QDataStream& operator<<(QDataStream& stream, const CellValue& value) {
    return stream << qint32(value.kind) << value.number << value.text << value.boolean;
}

QDataStream& operator>>(QDataStream& stream, CellValue& value) {
    qint32 kind = 0;
    stream >> kind >> value.number >> value.text >> value.boolean;
    value.kind = CellValue::Kind(std::clamp(kind, 0, qint32(CellValue::Kind::Error)));
    return stream;
}

// In the child: the range's cells that hold a value, each with its column and row.
QByteArray readCells(const QByteArray& path, int worksheet, const CellRange& range,
                     DateSystem dates) {
    QByteArray answer;
    QDataStream stream(&answer, QIODevice::WriteOnly);
    FreeXlFile file(path);
    unsigned rows = 0;
    unsigned short columns = 0;
    if (file.outcome() != Outcome::Opened ||
        freexl_select_active_worksheet(file.handle(), unsigned(worksheet - 1)) != FREEXL_OK ||
        freexl_worksheet_dimensions(file.handle(), &rows, &columns) != FREEXL_OK) {
        stream << false;
        return answer;
    }
    stream << true;
    const qint64 lastRow = std::min<qint64>(range.last.row, rows);
    const int lastColumn = std::min<int>(range.last.column, columns);
    for (int row = range.first.row; row <= lastRow; ++row) {
        for (int column = range.first.column; column <= lastColumn; ++column) {
            FreeXL_CellValue cell;
            if (freexl_get_cell_value(file.handle(), unsigned(row - 1),
                                      static_cast<unsigned short>(column - 1), &cell) != FREEXL_OK)
                _exit(3);
            const CellValue value = valueOf(cell, dates);
            if (value.kind != CellValue::Kind::Empty)
                stream << qint32(column) << qint32(row) << value;
        }
    }
    return answer;
}

// A workbook FreeXL cannot read at all, read from its records alone.
class BiffRecordsWorkbook : public Workbook {
public:
    explicit BiffRecordsWorkbook(BiffCells records)
        : m_records(std::move(records)) {}

    int worksheetCount() const override { return m_records.sheetCount(); }

    std::optional<QString> readRange(int worksheet, const CellRange& range,
                                     RangeValues& values) override {
        values = RangeValues(range);
        m_records.putSheet(worksheet, values);
        return std::nullopt;
    }

private:
    BiffCells m_records;
};

class FreeXlWorkbook : public Workbook {
public:
    FreeXlWorkbook(QByteArray path, int sheets, DateSystem dates, std::optional<BiffCells> records,
                   std::stop_token stop)
        : m_path(std::move(path))
        , m_sheets(sheets)
        , m_dates(dates)
        , m_records(std::move(records))
        , m_stop(std::move(stop)) {}

    int worksheetCount() const override { return m_sheets; }

    std::optional<QString> readRange(int worksheet, const CellRange& range,
                                     RangeValues& values) override {
        const auto number = [](qint64 value) {
            return QByteArray::number(value);
        };
        const auto answer = runIsolatedJob(kReadJob.toByteArray(),
                                           {m_path, number(worksheet), number(range.first.column),
                                            number(range.first.row), number(range.last.column),
                                            number(range.last.row), number(qint64(m_dates))},
                                           kTimeToRead, m_stop);
        const QString damaged = QString::fromLatin1(workbook_error::kDamaged);
        if (!answer)
            return failureOf(m_stop);
        QDataStream stream(*answer);
        bool selected = false;
        stream >> selected;
        if (!selected)
            return damaged;
        values = RangeValues(range);
        while (!stream.atEnd()) {
            qint32 column = 0;
            qint32 row = 0;
            CellValue value;
            stream >> column >> row >> value;
            if (stream.status() != QDataStream::Ok)
                return damaged;
            values.put(column, row, std::move(value));
        }
        if (m_records)
            m_records->putSheet(worksheet, values);
        return std::nullopt;
    }

private:
    // Encoded for the file system, as the child takes it.
    QByteArray m_path;
    int m_sheets;
    DateSystem m_dates;
    // The records' values of formulas, logical and error cells; nothing when the records do not
    // list the same sheets as FreeXL.
    std::optional<BiffCells> m_records;
    std::stop_token m_stop;
};

// In the child: how the workbook opened, its worksheet count and date system.
QByteArray describe(const QByteArray& path) {
    QByteArray answer;
    QDataStream stream(&answer, QIODevice::WriteOnly);
    FreeXlFile file(path);
    const Outcome outcome = file.outcome();
    stream << qint32(outcome);
    if (outcome == Outcome::Opened) {
        stream << qint32(infoOf(file.handle(), FREEXL_BIFF_SHEET_COUNT))
               << (infoOf(file.handle(), FREEXL_BIFF_DATEMODE) == FREEXL_BIFF_DATEMODE_1904);
    }
    return answer;
}

} // namespace

OpenedWorkbook openFreeXlWorkbook(const QString& path, QByteArrayView bytes, std::stop_token stop) {
    std::optional<BiffCells> records = BiffCells::scan(bytes);
    if (records && records->readsAlone())
        return {std::make_unique<BiffRecordsWorkbook>(std::move(*records)), QString()};
    const QByteArray encodedPath = QFile::encodeName(path);
    const auto answer =
        runIsolatedJob(kDescribeJob.toByteArray(), {encodedPath}, kTimeToOpen, stop);
    if (!answer)
        return {nullptr, failureOf(stop)};
    QDataStream stream(*answer);
    qint32 outcome = 0;
    qint32 sheets = 0;
    bool from1904 = false;
    stream >> outcome;
    if (Outcome(outcome) != Outcome::Opened)
        return {nullptr, reason(Outcome(outcome))};
    stream >> sheets >> from1904;
    if (stream.status() != QDataStream::Ok || sheets < 0)
        return {nullptr, reason(Outcome::Damaged)};
    if (records && records->sheetCount() != sheets)
        records.reset();
    return {std::make_unique<FreeXlWorkbook>(encodedPath, sheets,
                                             from1904 ? DateSystem::From1904 : DateSystem::From1900,
                                             std::move(records), std::move(stop)),
            QString()};
}

} // namespace tivora::excel

namespace tivora::excel {

int serveLegacyWorkbookJob(const QByteArrayList& arguments) {
    QByteArray answer;
    if (arguments.size() == 2 && arguments[0] == kDescribeJob) {
        answer = describe(arguments[1]);
    } else if (arguments.size() == 8 && arguments[0] == kReadJob) {
        std::array<int, 6> numbers{};
        for (std::size_t index = 0; index < numbers.size(); ++index) {
            bool ok = false;
            numbers[index] = arguments[qsizetype(index) + 2].toInt(&ok);
            if (!ok)
                return 2;
        }
        const CellRange range{{numbers[1], numbers[2]}, {numbers[3], numbers[4]}};
        if (range.first.column < 1 || range.first.row < 1 ||
            range.last.column < range.first.column || range.last.row < range.first.row)
            return 2;
        answer = readCells(arguments[1], numbers[0], range,
                           numbers[5] == 1 ? DateSystem::From1904 : DateSystem::From1900);
    } else {
        return 2;
    }
    const bool written = std::fwrite(answer.constData(), 1, std::size_t(answer.size()), stdout) ==
                             std::size_t(answer.size()) &&
                         std::fflush(stdout) == 0;
    return written ? 0 : 3;
}

} // namespace tivora::excel
