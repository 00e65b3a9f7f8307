#pragma once

#include "publish/graph_preparation.h"
#include "publish/publish_log.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The web pages of a published graph: a page that shows the graph, or a page with a link that
// opens it in a pop-up window together with the pop-up page.
namespace tivora::publish {

inline constexpr QByteArrayView kMakerAddress = "https://www.orvanta.com/";
inline constexpr QByteArrayView kPlayerDownloadAddress =
    "https://download.macromedia.com/pub/shockwave/cabs/flash/swflash.cab#version=6,0,0,0";

// A colour text "0xRRGGBB" as the page colour "#RRGGBB"; anything else, which a browser would
// read as some other colour or which could break the page's markup, as white.
QByteArray pageColourText(QByteArrayView colour);

// The page's file name: the movie name with ".asp" for an ASP graph, else ".html".
QString pageFileName(const QString& movieName, const PreparedGraph& graph);
// The graph's picture shown in the page: the movie name with ".svg".
QString pictureFileName(const QString& movieName);

// The lines of each page (without line breaks). movieName is the graph's movie file name.
QList<QByteArray> embeddedPageLines(const QString& movieName, const PreparedGraph& graph);
QList<QByteArray> linkPageLines(const QString& movieName, const PreparedGraph& graph);
QList<QByteArray> popupPageLines(const QString& movieName, const PreparedGraph& graph);

// Writes the page, and with embed off the link page and the pop-up page, into folder, each line
// ended by CR LF. A page that cannot be written is logged as a failure; the next is still tried.
// Gives whether every page was written.
bool WritePublishPage(const QString& folder, const QString& movieName, const PreparedGraph& graph,
                      bool embed, PublishLog& log);

} // namespace tivora::publish
