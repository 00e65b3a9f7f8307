#include "excel/csv_workbook.h"

#include "document/ansi_text.h"

#include <QLocale>
#include <QStringDecoder>
#include <array>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace tivora::excel {
namespace {

constexpr char kQuote = '"';
constexpr QByteArrayView kUtf8Mark("\xEF\xBB\xBF", 3);
// The separators looked for, in the order they win when the first lines use several throughout:
// a file separated by semicolons or tabs often writes numbers with a decimal comma.
constexpr std::array<char, 3> kSeparators{'\t', ';', ','};
// How much of the start tells the separator.
constexpr qsizetype kSampleBytes = qsizetype{64} * 1024;
constexpr int kSampleRecords = 20;
// How often, in bytes passed, a long read looks whether it is to stop.
constexpr qsizetype kStopCheckBytes = qsizetype{1024} * 1024;
// A field's bytes kept for its text: enough for kCellTextKept characters of UTF-8.
constexpr qsizetype kFieldBytesKept = kCellTextKept * 4;

// One field of the text: where it starts and ends, and for a quoted field where its closing quote
// stands (the text after it, up to the field's end, is taken as it stands).
struct Field {
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype closingQuote = -1;
    bool quoted = false;
    bool endsRecord = false;
};

// Walks the fields of the text in order.
class FieldScanner {
public:
    FieldScanner(QByteArrayView text, char separator)
        : m_text(text)
        , m_separator(separator) {}

    qsizetype position() const { return m_position; }
    bool atEnd() const { return m_position >= m_text.size() && !m_fieldPending; }

    Field next() {
        Field field;
        field.start = m_position;
        qsizetype scan = m_position;
        if (scan < m_text.size() && m_text[scan] == kQuote) {
            field.quoted = true;
            scan = closingQuote(scan + 1);
            field.closingQuote = scan;
            scan = std::min(scan + 1, m_text.size());
        }
        while (scan < m_text.size() && !endsField(m_text[scan]))
            ++scan;
        field.end = scan;
        m_fieldPending = false;
        if (scan >= m_text.size()) {
            field.endsRecord = true;
            m_position = scan;
        } else if (m_text[scan] == m_separator) {
            // A separator at the very end still leaves one empty field after it.
            m_position = scan + 1;
            m_fieldPending = true;
        } else {
            field.endsRecord = true;
            m_position = scan + 1;
            if (m_text[scan] == '\r' && m_position < m_text.size() && m_text[m_position] == '\n')
                ++m_position;
        }
        return field;
    }

private:
    bool endsField(char letter) const {
        return letter == m_separator || letter == '\n' || letter == '\r';
    }

    // The closing quote of a field whose text starts at from; a doubled quote is part of the
    // text. An unclosed quote runs to the end.
    qsizetype closingQuote(qsizetype from) const {
        for (;;) {
            const qsizetype quote = m_text.indexOf(kQuote, from);
            if (quote < 0)
                return m_text.size();
            if (quote + 1 < m_text.size() && m_text[quote + 1] == kQuote) {
                from = quote + 2;
                continue;
            }
            return quote;
        }
    }

    QByteArrayView m_text;
    char m_separator;
    qsizetype m_position = 0;
    bool m_fieldPending = false;
};

// A field's own bytes, unquoted, at most kFieldBytesKept of them.
QByteArray fieldBytes(QByteArrayView text, const Field& field) {
    QByteArray bytes;
    const auto append = [&bytes](QByteArrayView part) {
        bytes.append(part.first(std::min(part.size(), kFieldBytesKept - bytes.size())));
    };
    if (!field.quoted) {
        append(text.sliced(field.start, field.end - field.start));
        return bytes;
    }
    const qsizetype contentEnd = std::min(field.closingQuote, text.size());
    for (qsizetype at = field.start + 1; at < contentEnd && bytes.size() < kFieldBytesKept;) {
        const qsizetype quote = text.indexOf(kQuote, at);
        const qsizetype stop = quote < 0 || quote >= contentEnd ? contentEnd : quote + 1;
        append(text.sliced(at, stop - at));
        at = stop < contentEnd ? stop + 1 : stop;
    }
    if (field.closingQuote < field.end)
        append(text.sliced(field.closingQuote + 1, field.end - field.closingQuote - 1));
    return bytes;
}

// The counts of each separator outside quotes, per line, over the first lines of the text. A line
// cut off by the end of the sample is left out unless it is the text's last.
std::vector<std::array<int, kSeparators.size()>> separatorCounts(QByteArrayView text) {
    const qsizetype sampleEnd = std::min(text.size(), kSampleBytes);
    std::vector<std::array<int, kSeparators.size()>> lines;
    std::array<int, kSeparators.size()> counts{};
    bool quoted = false;
    bool blank = true;
    for (qsizetype at = 0; at < sampleEnd && int(lines.size()) < kSampleRecords; ++at) {
        const char letter = text[at];
        if (letter == kQuote) {
            quoted = !quoted;
        } else if (!quoted && (letter == '\n' || letter == '\r')) {
            if (!blank)
                lines.push_back(counts);
            counts = {};
            blank = true;
            continue;
        } else if (!quoted) {
            for (size_t index = 0; index < kSeparators.size(); ++index)
                counts[index] += letter == kSeparators[index];
        }
        blank = false;
    }
    if (!blank && sampleEnd == text.size())
        lines.push_back(counts);
    return lines;
}

// The separator the first lines use throughout, in the order of kSeparators; else the one they
// use most; a single column of values reads the same with any.
char detectSeparator(QByteArrayView text) {
    const auto lines = separatorCounts(text);
    std::array<qint64, kSeparators.size()> totals{};
    for (size_t index = 0; index < kSeparators.size(); ++index) {
        bool everyLine = !lines.empty();
        for (const auto& counts : lines) {
            everyLine = everyLine && counts[index] > 0;
            totals[index] += counts[index];
        }
        if (everyLine)
            return kSeparators[index];
    }
    const auto most = std::max_element(totals.begin(), totals.end());
    return *most > 0 ? kSeparators[size_t(most - totals.begin())] : ',';
}

// Whether the whole text is UTF-8, decoded a piece at a time so that no copy of it is held.
// Pieces end before a character's first byte, so that none is cut in two.
bool isUtf8(QByteArrayView text) {
    constexpr qsizetype kPiece = qsizetype{1024} * 1024;
    const auto continues = [text](qsizetype at) {
        return (uchar(text[at]) & 0xC0) == 0x80;
    };
    for (qsizetype at = 0; at < text.size();) {
        qsizetype end = std::min(at + kPiece, text.size());
        for (int back = 0; back < 3 && end < text.size() && end > at + 1 && continues(end); ++back)
            --end;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        (void)QString(decoder(text.sliced(at, end - at)));
        if (decoder.hasError())
            return false;
        at = end;
    }
    return true;
}

std::optional<double> numberIn(const QString& text, char separator) {
    static const QLocale plain = [] {
        QLocale locale = QLocale::c();
        locale.setNumberOptions(QLocale::RejectGroupSeparator);
        return locale;
    }();
    const QString trimmed = text.trimmed();
    bool ok = false;
    double value = plain.toDouble(trimmed, &ok);
    if (!ok && separator != ',' && trimmed.count(u',') == 1 && !trimmed.contains(u'.'))
        value = plain.toDouble(QString(trimmed).replace(u',', u'.'), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

CellValue valueOf(QString text, char separator) {
    if (text.isEmpty())
        return {};
    if (const auto number = numberIn(text, separator))
        return CellValue::ofNumber(*number);
    return CellValue::ofText(std::move(text));
}

QString cancelled() {
    return QString::fromLatin1(workbook_error::kCancelled);
}

class CsvWorkbook : public Workbook {
public:
    CsvWorkbook(QByteArray bytes, std::stop_token stop)
        : m_bytes(std::move(bytes))
        , m_stop(std::move(stop)) {
        const QByteArrayView text = this->text();
        m_separator = detectSeparator(text);
        m_utf8 = m_bytes.startsWith(kUtf8Mark) || isUtf8(text);
    }

    int worksheetCount() const override { return 1; }

    // The text is walked only up to the range's last row, and only the range's fields are
    // decoded, so a long file or a huge field outside the range costs no memory.
    std::optional<QString> readRange(int, const CellRange& range, RangeValues& values) override {
        values = RangeValues(range);
        const QByteArrayView text = this->text();
        FieldScanner scanner(text, m_separator);
        int row = 1;
        int column = 1;
        qsizetype nextStopCheck = kStopCheckBytes;
        while (!scanner.atEnd() && row <= range.last.row) {
            if (scanner.position() >= nextStopCheck) {
                if (m_stop.stop_requested())
                    return cancelled();
                nextStopCheck = scanner.position() + kStopCheckBytes;
            }
            const Field field = scanner.next();
            if (range.contains(column, row))
                values.put(column, row, valueOf(decoded(fieldBytes(text, field)), m_separator));
            if (field.endsRecord) {
                ++row;
                column = 1;
            } else if (column < std::numeric_limits<int>::max()) {
                ++column;
            }
        }
        return m_stop.stop_requested() ? std::optional(cancelled()) : std::nullopt;
    }

private:
    QByteArrayView text() const {
        return m_bytes.startsWith(kUtf8Mark) ? QByteArrayView(m_bytes).sliced(kUtf8Mark.size())
                                             : QByteArrayView(m_bytes);
    }

    QString decoded(const QByteArray& bytes) const {
        QString text = m_utf8 ? QString::fromUtf8(bytes) : ansiToString(bytes);
        text.truncate(kCellTextKept);
        return text;
    }

    QByteArray m_bytes;
    std::stop_token m_stop;
    char m_separator = ',';
    bool m_utf8 = true;
};

} // namespace

OpenedWorkbook openCsvWorkbook(QByteArray bytes, std::stop_token stop) {
    if (stop.stop_requested())
        return {nullptr, cancelled()};
    return {std::make_unique<CsvWorkbook>(std::move(bytes), std::move(stop)), QString()};
}

bool isCsvPath(const QString& path) {
    return path.endsWith(u".csv"_s, Qt::CaseInsensitive);
}

} // namespace tivora::excel
