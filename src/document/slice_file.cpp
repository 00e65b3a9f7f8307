#include "document/slice_file.h"

#include "document/ansi_text.h"
#include "document/graph_keys.h"
#include "document/grid_layouts.h"
#include "document/regular_file.h"
#include "document/variable_text.h"

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

// A cell without a colour of its own shows, and stands for, the grid's window colour.
constexpr WindowColor kGridColor = 0xFFFFFF;

QByteArray cellColorText(const Grid& grid, int column, int row) {
    return ColorToText(grid.cellColor(column, row).value_or(kGridColor));
}

class SliceText {
public:
    void add(QByteArrayView key, QByteArrayView value) {
        m_text.append(key).append('=').append(value);
    }
    // Cell and panel texts go in as they stand; false when one cannot be single-byte text.
    bool addText(QByteArrayView key, const QString& value) {
        const auto bytes = stringToAnsi(value);
        if (!bytes)
            return false;
        add(key, *bytes);
        return true;
    }
    QByteArray text() const { return m_text; }

private:
    QByteArray m_text;
};

bool addSeriesFields(SliceText& out, const Grid& properties, const QString& type, int row) {
    if (type == u"bar"_s || type == u"sbar"_s) {
        out.add(keys::kSampleBarColor, cellColorText(properties, PropColor, row));
        out.add(keys::kSampleValueColor, cellColorText(properties, PropValuesColor, row));
        return true;
    }
    if (type == u"area"_s || type == u"line"_s) {
        out.add(keys::kSampleAreaColor, cellColorText(properties, PropColor, row));
        return out.addText(keys::kAreaAlpha, properties.cell(PropAlpha, row));
    }
    return true;
}

bool addSliceFields(SliceText& out, const Grid& slices, int row) {
    out.add(keys::kSampleSliceColor, cellColorText(slices, SliceColour, row));
    out.add(keys::kSampleValueColor, cellColorText(slices, SliceValueClr, row));
    out.add(keys::kSampleLabelColor, cellColorText(slices, SliceLabelClr, row));
    return out.addText(keys::kSliceAlphas, slices.cell(SliceAlpha, row)) &&
           out.addText(keys::kSliceShades, slices.cell(SliceShade, row));
}

} // namespace

std::optional<QByteArray> sliceFileText(const GraphDocument& document, const QString& type,
                                        int row) {
    SliceText out;
    if (!out.addText(keys::kGraphTypeLong, type) ||
        !out.addText(keys::kBackColorLong, document.header.pnlBackColour.caption))
        return std::nullopt;
    const bool complete = type == u"pie"_s
                              ? addSliceFields(out, document.pie.sgrdPieSlices, row)
                              : addSeriesFields(out, document.series.sgrdProp, type, row);
    if (!complete)
        return std::nullopt;
    out.add(keys::kTextLoaded, "OK");
    return out.text();
}

std::optional<QString> WriteSliceFile(const GraphDocument& document, const QString& type, int row,
                                      const QString& path) {
    const auto text = sliceFileText(document, type, row);
    if (!text)
        return u"A setting holds characters that the option preview file cannot carry."_s;
    return replaceFile(path, *text);
}

} // namespace tivora
