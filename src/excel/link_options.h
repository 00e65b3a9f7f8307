#pragma once

#include <QByteArray>
#include <QString>

namespace tivora::excel {

// The link of a series graph to a worksheet range: which workbook, worksheet and cells feed its
// data grid, how the range lies and whether its first line holds headers. The range fields keep
// the texts the user typed: rowFrom and rowTo hold column letters, colFrom and colTo row numbers.
struct LinkOptions {
    bool excelLink = false;
    QString excelFile;
    QString workSheet = QStringLiteral("1");
    QString rowFrom;
    QString colFrom;
    QString rowTo;
    QString colTo;
    // Each worksheet column becomes a grid row ("DOWN") instead of each worksheet row ("ACCROSS").
    bool down = false;
    bool headerLine = false;

    bool operator==(const LinkOptions&) const = default;
};

// The stored workbook path that names a workbook beside the graph file: the marker followed by the
// workbook's file name.
inline constexpr auto kBesideGraphMarker = "<find>";

// The link options file of a graph file: its folder and base name with the extension ".TVO";
// "Q1.tvx" gives "Q1.TVO", and a name without an extension gets ".TVO" appended.
QString linkOptionsPath(const QString& graphFile);

// The options as one line of variable text: every key in its fixed order, each value as it
// stands, and a final "&".
QString linkOptionsText(const LinkOptions& options);

// The options a line of variable text (Windows-1252 bytes) holds, keys found in any letter case and
// missing ones read as empty. A workbook path that starts with the marker is looked for in
// graphFolder.
LinkOptions parseLinkOptions(QByteArrayView line, const QString& graphFolder);

} // namespace tivora::excel
