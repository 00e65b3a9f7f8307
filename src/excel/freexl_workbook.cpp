#include "excel/freexl_workbook.h"

#include "excel/date_serial.h"

#include <QFile>
#include <freexl.h>

using namespace Qt::StringLiterals;

namespace tivora::excel {
namespace {

class FreeXlWorkbook : public Workbook {
public:
    FreeXlWorkbook(const void* handle, int sheets, DateSystem dates)
        : m_handle(handle)
        , m_sheets(sheets)
        , m_dates(dates) {}
    ~FreeXlWorkbook() override { freexl_close(m_handle); }
    FreeXlWorkbook(const FreeXlWorkbook&) = delete;
    FreeXlWorkbook& operator=(const FreeXlWorkbook&) = delete;

    int worksheetCount() const override { return m_sheets; }

    std::optional<QString> readRange(int worksheet, const CellRange& range,
                                     RangeValues& values) override {
        unsigned rows = 0;
        unsigned short columns = 0;
        if (freexl_select_active_worksheet(m_handle, unsigned(worksheet - 1)) != FREEXL_OK ||
            freexl_worksheet_dimensions(m_handle, &rows, &columns) != FREEXL_OK)
            return QString::fromLatin1(workbook_error::kDamaged);
        values = RangeValues(range);
        const int lastRow = std::min<qint64>(range.last.row, rows);
        const int lastColumn = std::min<int>(range.last.column, columns);
        for (int row = range.first.row; row <= lastRow; ++row) {
            for (int column = range.first.column; column <= lastColumn; ++column) {
                FreeXL_CellValue cell;
                if (freexl_get_cell_value(m_handle, unsigned(row - 1),
                                          static_cast<unsigned short>(column - 1),
                                          &cell) != FREEXL_OK)
                    return QString::fromLatin1(workbook_error::kDamaged);
                values.put(column, row, valueOf(cell));
            }
        }
        return std::nullopt;
    }

private:
    CellValue valueOf(const FreeXL_CellValue& cell) const {
        switch (cell.type) {
        case FREEXL_CELL_INT:
            return CellValue::ofNumber(cell.value.int_value);
        case FREEXL_CELL_DOUBLE:
            return CellValue::ofNumber(cell.value.double_value);
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
            return CellValue::ofText(QString::fromUtf8(cell.value.text_value));
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
        case FREEXL_CELL_TIME: {
            // FreeXL formats date cells; the workbook holds their day numbers.
            const QString text = QString::fromUtf8(cell.value.text_value);
            if (const auto serial = dateTimeSerial(text, m_dates))
                return CellValue::ofNumber(*serial);
            return CellValue::ofText(text);
        }
        default:
            return CellValue();
        }
    }

    const void* m_handle;
    int m_sheets;
    DateSystem m_dates;
};

unsigned infoOf(const void* handle, unsigned short what) {
    unsigned value = 0;
    freexl_get_info(handle, what, &value);
    return value;
}

} // namespace

OpenedWorkbook openFreeXlWorkbook(const QString& path) {
    const void* handle = nullptr;
    const int opened = freexl_open(QFile::encodeName(path).constData(), &handle);
    if (opened != FREEXL_OK) {
        if (handle)
            freexl_close(handle);
        return {nullptr,
                QString::fromLatin1(opened == FREEXL_FILE_NOT_FOUND ? workbook_error::kUnreadable
                                                                    : workbook_error::kDamaged)};
    }
    if (infoOf(handle, FREEXL_BIFF_PASSWORD) == FREEXL_BIFF_OBFUSCATED) {
        freexl_close(handle);
        return {nullptr, QString::fromLatin1(workbook_error::kEncrypted)};
    }
    const DateSystem dates = infoOf(handle, FREEXL_BIFF_DATEMODE) == FREEXL_BIFF_DATEMODE_1904
                                 ? DateSystem::From1904
                                 : DateSystem::From1900;
    const int sheets = int(infoOf(handle, FREEXL_BIFF_SHEET_COUNT));
    return {std::make_unique<FreeXlWorkbook>(handle, sheets, dates), QString()};
}

} // namespace tivora::excel
