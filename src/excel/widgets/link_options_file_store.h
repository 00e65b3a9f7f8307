#pragma once

#include "excel/link_options_store.h"

#include <QObject>

namespace tivora {

class ExcelLinkTab;

// The link options file beside a series graph, read into the controls of the "Excel Link" tab
// and written from them. A graph without an options file has no link: opening it switches the
// link off and empties the settings, so that another graph's workbook does not carry over.
class LinkOptionsFileStore : public QObject, public LinkOptionsStore {
public:
    LinkOptionsFileStore(ExcelLinkTab& tab, QObject* parent);

    [[nodiscard]] ReadResult readBeside(const QString& graphFile) override;
    [[nodiscard]] std::optional<QString> writeBeside(const QString& graphFile) override;

private:
    ExcelLinkTab& m_tab;
};

} // namespace tivora
