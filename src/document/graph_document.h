#pragma once

#include "document/color_panel.h"
#include "document/grid.h"
#include "document/trackbar_position.h"
#include "document/up_down_edit.h"

#include <QString>

// The one open graph: every value the graph file carries, named after the control of the main
// window that shows it. The window's controls mirror this record; the writer reads it and the
// reader fills it.
namespace tivora {

// The checked header position radio button (file codes 0, 3, 1, 2).
enum class HeaderPosition { Top, Bottom, Left, Right };
// The checked radio button of "slice values shown as" (file codes 0, 1, 2).
enum class PieValuesShown { Percentages, Values, None };

// Page "Type": header, footer and background.
struct HeaderFooterFields {
    QString edtHeader;
    HeaderPosition headerPosition = HeaderPosition::Top;
    ColorPanel pnlHeaderBackColour;
    ColorPanel pnlHeaderFontColour;
    ColorPanel pnlBackColour;
    bool chkBGTrans = false;
    QString edtFooter;
    ColorPanel pnlFootColor;

    bool operator==(const HeaderFooterFields&) const = default;
};

// Pages "x-Axis", "y-Axis" and "Size": label, title and graph placement. The caption labels beside
// these trackbars always show the position, so the position is all that is kept.
struct PlacementFields {
    TrackbarPosition trkXLabelX{-100, 100, 0};
    TrackbarPosition trkXLabelY{-50, 50, 0};
    TrackbarPosition trkXTitleX{-300, 300, 0};
    TrackbarPosition trkXTitleY{-70, 70, 0};
    TrackbarPosition trkYLabelX{-100, 100, 0};
    TrackbarPosition trkYLabelY{-50, 50, 0};
    TrackbarPosition trkYTitleX{-100, 100, 0};
    TrackbarPosition trkYTitleY{-200, 200, 0};
    TrackbarPosition trkScaleGraph{50, 150, 100};
    TrackbarPosition trkGX{-100, 100, 0};
    TrackbarPosition trkGY{-100, 100, 0};

    bool operator==(const PlacementFields&) const = default;
};

// Pages "x-Axis" and "y-Axis" of a series graph.
struct AxisFields {
    QString edtXTitle;
    ColorPanel pnlXTitleColour;
    ColorPanel pnlXLabelColour;
    ColorPanel pnlXAxisColour;
    UpDownEdit edtXTitleFont{8, 40, 10};
    UpDownEdit edtXLabelFont{6, 40, 10};
    QString edtMaxX;
    QString edtYTitle;
    ColorPanel pnlYTitleColour;
    ColorPanel pnlYAxisColour;
    ColorPanel pnlYLabelColour;
    ColorPanel pnlYGridColour;
    UpDownEdit edtYTitleFont{8, 40, 10};
    UpDownEdit edtYLabelFont{6, 40, 10};
    // The y edits must hold numbers even while their automatic boxes are ticked.
    QString edtMinYVal;
    bool chkMinYCalc = false;
    QString edtMaxYVal;
    bool chkMaxYCalc = false;
    QString edtYStep;
    bool chkYStepCalc = false;

    bool operator==(const AxisFields&) const = default;
};

// Page "Data" of a series graph. sgrdData: row 0 titles and column labels, row r series r
// (column 0 type, 1 colour swatch, 2 name, 3.. values). sgrdProp: the nine properties of each
// series in the same rows.
struct SeriesFields {
    QString edtSeries = QStringLiteral("3");
    QString edtCols = QStringLiteral("0");
    QString edtXGap;
    bool chkASP = false;
    bool chkStacked = false;
    Grid sgrdData;
    Grid sgrdProp;

    bool operator==(const SeriesFields&) const = default;
};

// Page "Effects" of a series graph.
struct EffectsFields {
    ColorPanel pnlGBackColor;
    TrackbarPosition sbShading{0, 80, 50};
    // Item index of the shading type list; -1 when no item is selected.
    int cbShading = 0;
    QString edtBImage1;
    QString edtBImage2;
    QString edtBImage3;
    TrackbarPosition trkBImageAlpha{5, 100, 50};
    QString edtBOverlay;
    TrackbarPosition trkBOverlayAlpha{5, 100, 50};

    bool operator==(const EffectsFields&) const = default;
};

// Pages "Data" and "Effects" of a pie graph. sgrdPieSlices: row 0 titles, row r slice r.
struct PieFields {
    QString edtPieSlices = QStringLiteral("0");
    Grid sgrdPieSlices;
    PieValuesShown valuesShown = PieValuesShown::Percentages;
    UpDownEdit edtPieValueFontSize{8, 40, 12};
    UpDownEdit edtPieLabelFontSize{6, 40, 12};
    bool chkPieASP = false;
    bool rdoAnimate = true;
    TrackbarPosition sbAnimSpeed{5, 100, 5};
    QString edtPieImage;
    TrackbarPosition TBPieOverlay{5, 100, 50};
    bool rdoShowShadow = true;
    TrackbarPosition trkShadowAlpha{5, 100, 50};
    TrackbarPosition trkShadowUpDown{5, 300, 50};
    TrackbarPosition trkShadowLeftRight{5, 300, 50};

    bool operator==(const PieFields&) const = default;
};

// Page "Annotation". sgrdNotes: row 0 titles, row r note r in columns 1-27; never fewer than two
// rows, the second of which is no note while the count is 0.
struct NotesFields {
    QString edtNotes = QStringLiteral("0");
    Grid sgrdNotes;

    bool operator==(const NotesFields&) const = default;
};

struct GraphDocument {
    GraphDocument();

    // "bar", "sbar", "line", "area" or "pie": the type saved with the graph.
    QString graphType;
    // The type the graph was loaded or created with; selects the editing pages.
    QString baseType;
    // Set by the writer when the graph cannot be serialised.
    bool graphIncomplete = false;
    // Set while the reader fills the record.
    bool loadingGraph = false;
    QString currentFileName;
    QString lastOpenedFile;
    QString templateFile;

    HeaderFooterFields header;
    PlacementFields placement;
    AxisFields axes;
    SeriesFields series;
    EffectsFields effects;
    PieFields pie;
    NotesFields notes;

    bool operator==(const GraphDocument&) const = default;
};

} // namespace tivora
