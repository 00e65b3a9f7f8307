// Link options files lie beside graph files and travel with them. Any line reads as some options;
// options written out read back the same; the range fields name a cell or give a reason.
#include "document/ansi_text.h"
#include "excel/cell_range.h"
#include "excel/link_options.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tivora::excel;
    const QByteArrayView line(reinterpret_cast<const char*>(data), qsizetype(size));
    const LinkOptions options = parseLinkOptions(line, QStringLiteral("/graphs"));
    const auto written = tivora::stringToAnsi(linkOptionsText(options));
    if (!written || parseLinkOptions(*written, QStringLiteral("/graphs")) != options)
        std::abort();
    for (const auto& [letters, row] :
         {std::pair(options.rowFrom, options.colFrom), std::pair(options.rowTo, options.colTo)}) {
        const auto cell = parseCell(letters, row);
        if (const auto* address = std::get_if<CellAddress>(&cell)) {
            if (address->column < 1 || address->column > kLastColumn || address->row < 1 ||
                address->row > kLastRow)
                std::abort();
        }
    }
    return 0;
}
