#pragma once

#include "document/graph_document.h"
#include "document/grid_layouts.h"

#include <QByteArray>
#include <QByteArrayView>
#include <array>

// The keys of a graph text, the one place they are spelled. Each carries its leading "&", as
// lookups take it and as the entry begins in the text. A key named ...Long is the older spelling
// that readers look up before the short key the writer uses.
namespace tivora::keys {

inline constexpr QByteArrayView kVersion = "&v_";
// The version the writer gives, and the older one whose per-series entries differ.
inline constexpr QByteArrayView kCurrentVersion = "2.0";
inline constexpr QByteArrayView kLegacyVersion = "1.2.01";
inline constexpr QByteArrayView kGraphType = "&gt_";
inline constexpr QByteArrayView kGraphTypeLong = "&graphType";

// Header, footer and background.
inline constexpr QByteArrayView kHeader = "&hd_";
inline constexpr QByteArrayView kHeaderLong = "&header";
inline constexpr QByteArrayView kHeaderPosition = "&hp_";
inline constexpr QByteArrayView kHeaderPositionLong = "&headPos";
inline constexpr QByteArrayView kHeaderBackColor = "&hb_";
inline constexpr QByteArrayView kHeaderBackColorLong = "&headBack";
inline constexpr QByteArrayView kHeaderFontColor = "&hc_";
inline constexpr QByteArrayView kHeaderFontColorLong = "&headCol";
inline constexpr QByteArrayView kBackColor = "&bg_";
inline constexpr QByteArrayView kBackColorLong = "&Backgrnd";
inline constexpr QByteArrayView kBackTransparent = "&bga_";
inline constexpr QByteArrayView kFooter = "&ft_";
inline constexpr QByteArrayView kFooterLong = "&footer";
inline constexpr QByteArrayView kFooterColor = "&fc_";
inline constexpr QByteArrayView kFooterColorLong = "&footCol";

// Placement trackbars.
inline constexpr QByteArrayView kXLabelX = "&xlx";
inline constexpr QByteArrayView kXLabelY = "&xly";
inline constexpr QByteArrayView kXTitleX = "&xtx";
inline constexpr QByteArrayView kXTitleY = "&xty";
inline constexpr QByteArrayView kYLabelX = "&ylx";
inline constexpr QByteArrayView kYLabelY = "&yly";
inline constexpr QByteArrayView kYTitleX = "&ytx";
inline constexpr QByteArrayView kYTitleY = "&yty";
inline constexpr QByteArrayView kGraphScale = "&GScale";
inline constexpr QByteArrayView kGraphX = "&GX";
inline constexpr QByteArrayView kGraphY = "&GY";

struct PlacementEntry {
    QByteArrayView key;
    TrackbarPosition PlacementFields::*trackbar;
};

// Every placement trackbar with its key, in writing order.
inline constexpr std::array<PlacementEntry, 11> kPlacementEntries = {{
    {kXLabelX, &PlacementFields::trkXLabelX},
    {kXLabelY, &PlacementFields::trkXLabelY},
    {kXTitleX, &PlacementFields::trkXTitleX},
    {kXTitleY, &PlacementFields::trkXTitleY},
    {kYLabelX, &PlacementFields::trkYLabelX},
    {kYLabelY, &PlacementFields::trkYLabelY},
    {kYTitleX, &PlacementFields::trkYTitleX},
    {kYTitleY, &PlacementFields::trkYTitleY},
    {kGraphScale, &PlacementFields::trkScaleGraph},
    {kGraphX, &PlacementFields::trkGX},
    {kGraphY, &PlacementFields::trkGY},
}};

// Series graphs: counts and lists per series.
inline constexpr QByteArrayView kAspFlag = "&asp_";
inline constexpr QByteArrayView kAspFlagLong = "&varLoc";
inline constexpr QByteArrayView kSeriesCount = "&sr_";
inline constexpr QByteArrayView kSeriesCountLong = "&series";
inline constexpr QByteArrayView kColumnCount = "&co_";
inline constexpr QByteArrayView kColumnCountLong = "&cols";
inline constexpr QByteArrayView kColumnGap = "&XGap";
inline constexpr QByteArrayView kLineWidths = "&lw_";
inline constexpr QByteArrayView kSeriesTypes = "&typ_";
inline constexpr QByteArrayView kValueFontSizes = "&CVS_";
inline constexpr QByteArrayView kShowValues = "&CV_";
inline constexpr QByteArrayView kAnimateValues = "&GCV_";
inline constexpr QByteArrayView kAnimateSpeeds = "&anim_";
inline constexpr QByteArrayView kSeriesAlphas = "&alp_";
inline constexpr QByteArrayView kSeriesColors = "&bsc_";
inline constexpr QByteArrayView kSeriesColorsLong = "&barColor";
inline constexpr QByteArrayView kValueColors = "&blc_";
inline constexpr QByteArrayView kValueColorsLong = "&BLabelCol";
inline constexpr QByteArrayView kSeriesNames = "&sl_";
inline constexpr QByteArrayView kSeriesNamesLong = "&SeriesLabels";
inline constexpr QByteArrayView kColumnLabels = "&xl_";
inline constexpr QByteArrayView kColumnLabelsLong = "&XLabels";
// The start of an entry of key: key + "=".
inline QByteArray entryStart(QByteArrayView key) {
    return key.toByteArray() + '=';
}

// The values of series number series (counted from 1): "&y" + series + "v_".
inline QByteArray seriesValues(int series) {
    return "&y" + QByteArray::number(series) + "v_";
}
// Their older spelling: "&Y" + series + "Values".
inline QByteArray seriesValuesLong(int series) {
    return "&Y" + QByteArray::number(series) + "Values";
}

// Per-series entries of version 1.2.01 texts, one value for every series. "&lw_", "&bsc_",
// "&barColor", "&blc_" and "&BLabelCol" are shared with the current version.
inline constexpr QByteArrayView kLegacyAnimateValues = "&GCV";
inline constexpr QByteArrayView kLegacyValueFontSize = "&CVS";
inline constexpr QByteArrayView kLegacyAnimateSpeed = "&gs";
inline constexpr QByteArrayView kLegacyShowValues = "&CV";
inline constexpr QByteArrayView kLegacyBarAlpha = "&BBarAlpha";
inline constexpr QByteArrayView kAreaAlpha = "&AreaAlpha";
inline constexpr QByteArrayView kLegacyAreaColors = "&arc_";
inline constexpr QByteArrayView kLegacyAreaColorsLong = "&AreaColor";

// Axes.
inline constexpr QByteArrayView kYMinimum = "&YMin";
inline constexpr QByteArrayView kYMaximum = "&YMax";
inline constexpr QByteArrayView kYStep = "&YStep";
inline constexpr QByteArrayView kXLabelCount = "&XMax";
inline constexpr QByteArrayView kXTitle = "&XTitle";
inline constexpr QByteArrayView kYTitle = "&YTitle";
inline constexpr QByteArrayView kXTitleColor = "&XTitleCol";
inline constexpr QByteArrayView kYTitleColor = "&YTitleCol";
inline constexpr QByteArrayView kYTitleFont = "&YTFont";
inline constexpr QByteArrayView kYLabelFont = "&YLFont";
inline constexpr QByteArrayView kXTitleFont = "&XTFont";
inline constexpr QByteArrayView kXLabelFont = "&XLFont";
inline constexpr QByteArrayView kYAxisColor = "&YAxisCol";
inline constexpr QByteArrayView kXAxisColor = "&XAxisCol";
inline constexpr QByteArrayView kYGridColor = "&YGridCol";
inline constexpr QByteArrayView kXLabelColor = "&XLabColor";
inline constexpr QByteArrayView kYLabelColor = "&YLabColor";

// Plot background, images and effect.
inline constexpr QByteArrayView kPlotColor = "&pcol_";
inline constexpr QByteArrayView kShadingDepth = "&pshl_";
inline constexpr QByteArrayView kShadingType = "&psh_";
inline constexpr QByteArrayView kBackImages = "&BImages";
inline constexpr QByteArrayView kBackImageAlpha = "&BImageAlpha";
inline constexpr QByteArrayView kBackEffect = "&BEffect";
inline constexpr QByteArrayView kBackEffectAlpha = "&BEffectAlpha";

// Pie graphs.
inline constexpr QByteArrayView kPieAnimate = "&a_";
inline constexpr QByteArrayView kPieAnimateLong = "&animate";
inline constexpr QByteArrayView kPieSpeed = "&gs_";
inline constexpr QByteArrayView kSliceCount = "&sli_";
inline constexpr QByteArrayView kPieImage = "&pieImage";
inline constexpr QByteArrayView kPieImageAlpha = "&pieAlpha";
inline constexpr QByteArrayView kPieValueFont = "&XPLFont";
inline constexpr QByteArrayView kPieLabelFont = "&XPVFont";
inline constexpr QByteArrayView kSliceLabels = "&SliceLabels";
inline constexpr QByteArrayView kSliceOffsets = "&OffSets";
inline constexpr QByteArrayView kSliceLabelMoveX = "&LXOff";
inline constexpr QByteArrayView kSliceLabelMoveY = "&LYOff";
inline constexpr QByteArrayView kSliceValueMoveX = "&VXOff";
inline constexpr QByteArrayView kSliceValueMoveY = "&VYOff";
inline constexpr QByteArrayView kSliceValues = "&SliceValues";
inline constexpr QByteArrayView kSliceColors = "&SliceColor";
inline constexpr QByteArrayView kSliceLabelColors = "&PieLabelColor";
inline constexpr QByteArrayView kSliceValueColors = "&PieValueColor";
inline constexpr QByteArrayView kSliceShades = "&SliceShade";
inline constexpr QByteArrayView kPieValuesShown = "&pieToShow";
inline constexpr QByteArrayView kPieShadow = "&pieShadow";
inline constexpr QByteArrayView kPieShadowAlpha = "&pieShadowAlpha";
inline constexpr QByteArrayView kPieShadowY = "&pieShadowY";
inline constexpr QByteArrayView kPieShadowX = "&pieShadowX";
inline constexpr QByteArrayView kSliceAlphas = "&SliceAlpha";

// Notes: the count, then one list per notes grid column.
inline constexpr QByteArrayView kNoteCount = "&no_";

struct NoteList {
    QByteArrayView key;
    NoteColumn column;
};

// Every note list, in writing order.
inline constexpr std::array<NoteList, kNoteColumnCount - 1> kNoteLists = {{
    {"&nos_", NoteShape},       {"&noc_", NoteColour},       {"&noal_", NoteAlpha},
    {"&nofs_", NoteStyle},      {"&now_", NoteWidth},        {"&noh_", NoteHeight},
    {"&nox_", NoteXOffset},     {"&noy_", NoteYOffset},      {"&nohh_", NoteHighlight},
    {"&nohx_", NoteHighX},      {"&nohy_", NoteHighY},       {"&nohc_", NoteHighColour},
    {"&noht_", NoteHighAlpha},  {"&nohl_", NoteLink},        {"&nohd_", NoteHeading},
    {"&nhdc_", NoteHeadColour}, {"&nohf_", NoteHeadSize},    {"&nobd_", NoteText},
    {"&nobc_", NoteTextColour}, {"&nobf_", NoteTextSize},    {"&nbdy_", NoteBodyY},
    {"&nhdy_", NoteHeadY},      {"&nsh_", NoteShadow},       {"&nshx_", NoteShadowX},
    {"&nshy_", NoteShadowY},    {"&nsha_", NoteShadowAlpha}, {"&nurl_", NoteUrl},
}};

// The key of the list of a notes grid column.
constexpr QByteArrayView noteListKey(NoteColumn column) {
    for (const NoteList& list : kNoteLists) {
        if (list.column == column)
            return list.key;
    }
    return {};
}

// The last entry of every text; readers do not look it up.
inline constexpr QByteArrayView kTextLoaded = "&Textloaded";

// Keys of the option preview text alone (it shares graphType, Backgrnd, AreaAlpha, SliceAlpha,
// SliceShade and Textloaded with graph texts).
inline constexpr QByteArrayView kSampleBarColor = "&CylCol";
inline constexpr QByteArrayView kSampleAreaColor = "&AreaCol";
inline constexpr QByteArrayView kSampleSliceColor = "&SliceCol";
inline constexpr QByteArrayView kSampleValueColor = "&ValueCol";
inline constexpr QByteArrayView kSampleLabelColor = "&LabelCol";

} // namespace tivora::keys
