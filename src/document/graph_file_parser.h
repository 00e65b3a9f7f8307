#pragma once

#include "document/graph_document.h"
#include "document/variable_text.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace tivora {

// Fills a graph document from a graph text, step by step in the order the controls have always
// been set, so that old files read as they always did. Works on the document it is given in
// place; the caller hands it a copy and keeps it only when run() succeeds.
class GraphFileParser {
public:
    GraphFileParser(GraphDocument& document, const QByteArray& fileBytes);

    // Gives the reason when the text cannot be read: a number or colour text that does not
    // convert. The document then holds what was set up to that point.
    [[nodiscard]] std::optional<QString> run();

private:
    QString plain(QByteArrayView key) const;
    QString dec(QByteArrayView key) const;
    QString dec(QByteArrayView longKey, QByteArrayView shortKey) const;
    QByteArray decBytes(QByteArrayView key) const;
    QByteArray decBytes(QByteArrayView longKey, QByteArrayView shortKey) const;

    void readHeaderAndPlacement();
    void readSeriesGraph();
    void readSeriesCounts();
    int readSeriesCount(const QString& count) const;
    void readLegacyProperties(QByteArray& seriesColors, QByteArray& labelColors);
    void readCurrentProperties(QByteArray& seriesColors, QByteArray& labelColors);
    void readSeriesColors(const QByteArray& seriesColors, const QByteArray& labelColors);
    void readSeriesData();
    void readAxes();
    void readEffects();
    void readPieGraph();
    void readSliceLists();
    void readNotes();

    GraphDocument& m_document;
    VariableText m_text;
    QString m_version;
    int m_seriesCount = 0;
    int m_columnCount = 0;
};

} // namespace tivora
