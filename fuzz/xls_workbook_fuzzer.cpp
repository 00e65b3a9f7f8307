// Legacy workbooks (.xls) come from anywhere the user keeps spreadsheets. FreeXL reads them from a
// file, so each input is written to one file of the fuzzer's own and opened from there; whatever
// the bytes, opening gives a workbook or a reason, and reading its cells never faults.
#include "workbook_fuzz_input.h"

#include <QTemporaryFile>

namespace {

// Removed when the fuzzer ends.
QTemporaryFile& inputFile() {
    static QTemporaryFile file(QStringLiteral("/tmp/fuzz_xls_XXXXXX.xls"));
    if (!file.isOpen() && !file.open())
        std::abort();
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QTemporaryFile& file = inputFile();
    file.resize(0);
    file.seek(0);
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.flush();
    tivora::fuzz::checkOpened(tivora::excel::openWorkbook(file.fileName()));
    return 0;
}
