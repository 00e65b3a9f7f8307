#include "shell/link_options_file_store.h"

#include "excel/link_options_file.h"
#include "excel/widgets/excel_link_tab.h"

namespace tivora {

LinkOptionsFileStore::LinkOptionsFileStore(ExcelLinkTab& tab, QObject* parent)
    : QObject(parent)
    , m_tab(tab) {}

std::optional<QString> LinkOptionsFileStore::readBeside(const QString& graphFile) {
    const auto read = excel::readLinkOptionsFile(graphFile);
    if (const auto* error = std::get_if<QString>(&read))
        return *error;
    m_tab.setOptions(
        std::get<std::optional<excel::LinkOptions>>(read).value_or(excel::LinkOptions()));
    return std::nullopt;
}

std::optional<QString> LinkOptionsFileStore::writeBeside(const QString& graphFile) {
    return excel::writeLinkOptionsFile(graphFile, m_tab.options());
}

} // namespace tivora
