#include "document/text_field_check.h"

#include "document/ansi_text.h"
#include "document/grid_layouts.h"

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

// Characters the encoding turns into something that breaks the file: "%" becomes the "&" that
// ends a value, tab and form feed become line breaks that readers drop.
bool breaksEncoding(QChar character) {
    return character == u'%' || character == u'\t' || character == u'\f';
}

QString characterName(QChar character) {
    if (character == u'\t')
        return u"tab"_s;
    if (character == u'\f')
        return u"form feed"_s;
    const QString code = u"%1"_s.arg(uint(character.unicode()), 4, 16, QChar(u'0')).toUpper();
    return u"\"%1\" (U+%2)"_s.arg(character).arg(code);
}

struct GridCheck {
    const Grid& grid;
    QStringView name;
    int firstColumn;
    int firstRow;
};

std::optional<QString> checkGrid(const GridCheck& check) {
    for (int row = check.firstRow; row < check.grid.rowCount(); ++row) {
        for (int column = check.firstColumn; column < check.grid.columnCount(); ++column) {
            auto message =
                checkEncodedText(u"%1, column %2, row %3"_s.arg(check.name).arg(column).arg(row),
                                 check.grid.cell(column, row));
            if (message)
                return message;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> checkEncodedText(const QString& fieldName, const QString& text) {
    for (const QChar character : text) {
        if (breaksEncoding(character)) {
            return u"\"%1\" cannot hold the character %2: it cannot be saved in a graph file."_s
                .arg(fieldName, characterName(character));
        }
    }
    if (const auto bad = firstUnencodableChar(text)) {
        return u"\"%1\" cannot hold the character %2: graph files hold only Western European "
               "(Windows-1252) characters."_s.arg(fieldName, characterName(*bad));
    }
    return std::nullopt;
}

std::optional<QString> checkDocumentText(const GraphDocument& document) {
    const std::pair<QStringView, const QString*> fields[] = {
        {u"Header", &document.header.edtHeader},
        {u"Footer", &document.header.edtFooter},
        {u"x-Axis Title", &document.axes.edtXTitle},
        {u"y-Axis Title", &document.axes.edtYTitle},
        {u"Number of x-Axis Labels", &document.axes.edtMaxX},
        {u"y Minimum", &document.axes.edtMinYVal},
        {u"y Maximum", &document.axes.edtMaxYVal},
        {u"y Step", &document.axes.edtYStep},
        {u"Number of Series", &document.series.edtSeries},
        {u"Number of Cols", &document.series.edtCols},
        {u"Gap between columns", &document.series.edtXGap},
        {u"Background Image 1", &document.effects.edtBImage1},
        {u"Background Image 2", &document.effects.edtBImage2},
        {u"Background Image 3", &document.effects.edtBImage3},
        {u"Background Effect", &document.effects.edtBOverlay},
        {u"Number of Slices", &document.pie.edtPieSlices},
        {u"Pie Image", &document.pie.edtPieImage},
        {u"Number of Notes", &document.notes.edtNotes},
    };
    for (const auto& [name, text] : fields) {
        if (auto message = checkEncodedText(name.toString(), *text))
            return message;
    }
    const GridCheck grids[] = {
        {document.series.sgrdData, u"Data grid", 0, 0},
        {document.series.sgrdProp, u"Series properties", 0, 1},
        {document.pie.sgrdPieSlices, u"Slice grid", 0, 1},
        {document.notes.sgrdNotes, u"Note", 1, 1},
    };
    for (const auto& grid : grids) {
        if (auto message = checkGrid(grid))
            return message;
    }
    return std::nullopt;
}

} // namespace tivora
