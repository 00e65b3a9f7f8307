#include "excel/widgets/link_options_file_store.h"

#include "document/regular_file.h"
#include "excel/link_options.h"
#include "excel/link_options_file.h"
#include "excel/widgets/excel_link_tab.h"

#include <QFileInfo>

namespace tivora {

LinkOptionsFileStore::LinkOptionsFileStore(ExcelLinkTab& tab, QObject* parent)
    : QObject(parent)
    , m_tab(tab) {}

LinkOptionsStore::ReadResult LinkOptionsFileStore::readBeside(const QString& graphFile) {
    // A folder or a pipe in the options file's place is refused before anything waits on it.
    const QString path = excel::linkOptionsPath(graphFile);
    if (QFileInfo::exists(path)) {
        if (const auto refusal = checkInputFile(path))
            return *refusal;
    }
    const auto read = excel::readLinkOptionsFile(graphFile);
    if (const auto* error = std::get_if<QString>(&read))
        return *error;
    const excel::LinkOptions options =
        std::get<std::optional<excel::LinkOptions>>(read).value_or(excel::LinkOptions());
    return [this, options] {
        m_tab.setOptions(options);
    };
}

std::optional<QString> LinkOptionsFileStore::writeBeside(const QString& graphFile) {
    return excel::writeLinkOptionsFile(graphFile, m_tab.options());
}

} // namespace tivora
