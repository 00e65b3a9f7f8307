#pragma once

#include "common/shipped_data.h"
#include "document/graph_document.h"
#include "document/graph_text_writer.h"
#include "document/grid_layouts.h"
#include "document/program_folder.h"
#include "scripted_dialogs.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace tivora::test {

// A program folder of the test's own (a copy of the shipped Data folder), its own settings store
// and scripted dialogs, so tests run in parallel without touching the build tree or the user.
class ShellEnvironment {
public:
    ShellEnvironment() {
        QStandardPaths::setTestModeEnabled(true);
        copyShippedData(m_folder.path() + u"/Data"_s);
        setProgramFolder(m_folder.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           m_folder.path() + u"/settings"_s);
    }
    ~ShellEnvironment() { setProgramFolder(QString()); }

    QString folder() const { return m_folder.path() + u'/'; }

    // A complete bar graph of seriesCount series and columnCount data columns.
    static GraphDocument seriesGraph(int seriesCount, int columnCount,
                                     const QString& type = u"bar"_s) {
        GraphDocument document;
        document.graphType = document.baseType = type;
        document.series.edtSeries = QString::number(seriesCount);
        document.series.edtCols = QString::number(columnCount);
        shapeDataGrid(document.series.sgrdData, seriesCount, columnCount);
        shapePropertyGrid(document.series.sgrdProp, seriesCount);
        for (int row = 1; row <= seriesCount; ++row) {
            setNewSeriesDefaults(document.series.sgrdData, document.series.sgrdProp, row, type);
            document.series.sgrdData.setCell(DataSeriesName, row, u"Series %1"_s.arg(row));
            for (int column = 0; column < columnCount; ++column)
                document.series.sgrdData.setCell(DataFirstValue + column, row,
                                                 QString::number((row * 7 + column * 3) % 90));
        }
        for (int column = 0; column < columnCount; ++column)
            document.series.sgrdData.setCell(DataFirstValue + column, 0, u"C%1"_s.arg(column));
        document.axes.edtMinYVal = u"0"_s;
        document.axes.edtMaxYVal = u"100"_s;
        document.axes.edtYStep = u"10"_s;
        document.header.edtHeader = u"Sales"_s;
        return document;
    }

    // Writes document as a graph file in the test folder and gives its path.
    QString writeGraph(const QString& name, GraphDocument document) const {
        QString path = folder() + name;
        WriteGraphText(document, path);
        return path;
    }

    static QByteArray contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QString storedValue(const QString& key) {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, u"Orvanta"_s, u"Tivora"_s)
            .value(key)
            .toString();
    }
    static void store(const QString& key, const QString& value) {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, u"Orvanta"_s, u"Tivora"_s)
            .setValue(key, value);
    }
    static QStringList storedRecent() {
        QStringList recent;
        for (int index = 1; index <= 4; ++index)
            recent.append(storedValue(u"Recent"_s + QString::number(index)));
        return recent;
    }

    ScriptedDialogs dialogs;

private:
    QTemporaryDir m_folder;
};

} // namespace tivora::test
