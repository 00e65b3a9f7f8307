// Skin files are picked by the user from any folder. The reader must refuse or accept any bytes
// without fault, give a reason for every refusal, and what it accepts must read back unchanged:
// comments are gone and every picture is absolute already.
#include "controls/skins/skin_sheet.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tivora::SkinSheet;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString folder = QStringLiteral("/skins");
    QString error;
    const auto sheet = SkinSheet::parse(bytes, folder, &error);
    if (!sheet) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    const auto again = SkinSheet::parse(sheet->styleSheet().toUtf8(), folder, &error);
    if (!again || again->styleSheet() != sheet->styleSheet() ||
        again->pictureElements() != sheet->pictureElements())
        std::abort();
    return 0;
}
