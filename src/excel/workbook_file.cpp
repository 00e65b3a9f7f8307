#include "excel/workbook_file.h"

#include "excel/csv_workbook.h"
#include "excel/freexl_workbook.h"
#include "excel/ods_workbook.h"
#include "excel/xlsx_workbook.h"
#include "excel/zip_archive.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace tivora::excel {
namespace {

QString message(const char* text) {
    return QString::fromLatin1(text);
}

constexpr QByteArrayView kCompoundFileMagic("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
constexpr QByteArrayView kZipMagic("PK\x03\x04", 4);

// A workbook saved with a password in a newer format is a compound file holding a stream named
// "EncryptedPackage" (in UTF-16) instead of the workbook.
bool holdsEncryptedPackage(QByteArrayView bytes) {
    QByteArray name;
    for (const char letter : QByteArrayView("EncryptedPackage"))
        name.append(letter).append('\0');
    return bytes.indexOf(name) >= 0;
}

// A legacy workbook without the compound file around it starts with the BOF record of BIFF 2
// (0x0009), 3 (0x0209), 4 (0x0409) or 5 and 8 (0x0809), stored low byte first.
bool startsWithBiffRecord(QByteArrayView bytes) {
    return bytes.size() >= 4 && bytes[0] == 0x09 &&
           QByteArrayView("\x00\x02\x04\x08", 4).contains(bytes[1]);
}

OpenedWorkbook openZippedParts(QByteArray bytes, std::stop_token stop) {
    ZipArchive::Opened opened = ZipArchive::open(std::move(bytes), std::move(stop));
    if (!opened.archive)
        return {nullptr, opened.error};
    if (opened.archive->contains(u"content.xml"_s) &&
        !opened.archive->contains(u"xl/workbook.xml"_s))
        return openOdsWorkbook(std::move(opened.archive));
    if (opened.archive->contains(u"[Content_Types].xml"_s))
        return openXlsxWorkbook(std::move(opened.archive));
    return {nullptr, message(workbook_error::kUnknownFormat)};
}

} // namespace

OpenedWorkbook openZippedWorkbook(QByteArray bytes, std::stop_token stop) {
    OpenedWorkbook opened = openZippedParts(std::move(bytes), stop);
    // A reader stopped half-way sees its parts cut off; the reason to give is the stop.
    if (!opened.workbook && stop.stop_requested())
        opened.error = message(workbook_error::kCancelled);
    return opened;
}

OpenedWorkbook openWorkbook(const QString& path, std::stop_token stop) {
    if (!QFileInfo(path).isFile())
        return {nullptr, message(workbook_error::kMissing)};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {nullptr, message(workbook_error::kUnreadable)};
    // A zipped workbook is read whole from memory; the legacy reader reads the file itself.
    const QByteArray head = file.peek(8);
    const bool zipped = head.startsWith(kZipMagic);
    const bool compound = head.startsWith(kCompoundFileMagic);
    const bool separated = !zipped && !compound && isCsvPath(path);
    if (!zipped && !compound && !separated && !startsWithBiffRecord(head))
        return {nullptr, message(workbook_error::kUnknownFormat)};
    if (file.size() > ZipArchive::kMostUnpackedBytes)
        return {nullptr, u"The workbook is larger than 256 MiB; it is not read."_s};
    QByteArray bytes = file.readAll();
    // A file that shrank or failed while it was read is cut short, not a smaller workbook.
    if (bytes.size() != file.size() || file.error() != QFileDevice::NoError)
        return {nullptr, message(workbook_error::kUnreadable)};
    if (zipped)
        return openZippedWorkbook(std::move(bytes), std::move(stop));
    if (separated)
        return openCsvWorkbook(std::move(bytes), std::move(stop));
    OpenedWorkbook opened = openFreeXlWorkbook(path, bytes, std::move(stop));
    if (!opened.workbook && compound && holdsEncryptedPackage(bytes))
        opened.error = message(workbook_error::kEncrypted);
    return opened;
}

} // namespace tivora::excel
