// A publish project file may be edited by hand or damaged. Any first line either reads as
// choices or is refused; choices that can be stored read back exactly as they were written.
#include "document/ansi_text.h"
#include "publish/project_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tivora::publish;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString line = tivora::ansiToString(bytes.split('\n').first());
    const auto choices = parseProjectText(line);
    if (!choices)
        return 0;
    if (int(choices->exportKind) < 0 || int(choices->exportKind) > 2)
        std::abort();
    if (projectChoicesProblem(*choices))
        return 0;
    const auto again = parseProjectText(projectText(*choices));
    if (!again || !(*again == *choices))
        std::abort();
    return 0;
}
