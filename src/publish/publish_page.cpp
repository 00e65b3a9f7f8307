#include "publish/publish_page.h"

#include "document/ansi_text.h"
#include "document/variable_text.h"
#include "export/graph_summary.h"
#include "publish/file_copy.h"

#include <QDir>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace tivora::publish {
namespace {

QByteArray ansi(const QString& text) {
    return stringToAnsi(text).value_or(QUrl::toPercentEncoding(text));
}

// Text placed inside an attribute value in double quotes: the characters that could end the
// value or start markup are written as entities. Ordinary text stays as it is.
QByteArray attributeText(QByteArrayView text, bool escapeAmpersand) {
    QByteArray escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += escapeAmpersand ? "&amp;" : "&";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

QByteArray movieReference(const QString& movieName, const PreparedGraph& graph) {
    QByteArray reference = ansi(movieName);
    if (graph.aspFlag == "ASP")
        reference += "?v=1" + graph.aspParameters;
    return reference;
}

// In place of the player plug-in no browser has any more, the graph's picture. An object keeps
// the links of the graph's notes working; the image inside is what a browser that does not show
// the object shows, with the header as its text.
QList<QByteArray> pictureLines(const QString& movieName, const PreparedGraph& graph) {
    const QByteArray picture = QUrl::toPercentEncoding(pictureFileName(movieName));
    const QByteArray alt =
        graph.header.isEmpty() ? ansi(QString(movieName).chopped(4)) : graph.header;
    return {"<object data=\"" + picture +
                "\" type=\"image/svg+xml\" WIDTH=\"700\" HEIGHT=\"475\"> ",
            " <img src=\"" + picture + "\" WIDTH=\"700\" HEIGHT=\"475\" alt=\"" +
                attributeText(alt, true) + "\"> ",
            "</object> "};
}

// The graph's values under it, for screen readers and search engines, which read no picture.
QByteArray valuesTable(const PreparedGraph& graph) {
    const QString table = exporting::valuesTableHtml(VariableText(graph.lines.join()));
    return stringToAnsi(table).value_or(QByteArray()) + ' ';
}

// Lines 8 to 21 of the page: the note, the player object with the picture, the end.
QList<QByteArray> objectLines(const QString& movieName, const PreparedGraph& graph) {
    QList<QByteArray> lines{"<!--Name" + kMakerAddress.toByteArray() + "--> ",
                            "<OBJECT classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\" ",
                            " codebase=\"" + kPlayerDownloadAddress.toByteArray() + "\" ",
                            " WIDTH=\"700\" HEIGHT=\"475\" id=\"Tivora\" ALIGN=\"\"> ",
                            " <PARAM NAME=movie VALUE=\"" +
                                attributeText(movieReference(movieName, graph), false) + "\"> ",
                            "<PARAM NAME=quality VALUE=high> ",
                            "<PARAM NAME=bgcolor VALUE=#000000> "};
    lines += pictureLines(movieName, graph);
    lines += {"</OBJECT> ", valuesTable(graph), "</BODY> ", "</HTML> "};
    return lines;
}

const QList<QByteArray> kHeadLines{
    "<HTML> ", "<HEAD> ",
    "<meta http-equiv=Content-Type content=\"text/html;  charset=ISO-8859-1\"> "};

std::optional<QString> writePage(const QString& path, const QList<QByteArray>& lines) {
    QByteArray text;
    for (const QByteArray& line : lines)
        text += line + "\r\n";
    return writeWholeFile(path, text);
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

} // namespace

QByteArray pageColourText(QByteArrayView colour) {
    const QByteArrayView digits = colour.size() == 8 ? colour.sliced(2) : QByteArrayView();
    if (!colour.startsWith("0x") || !std::all_of(digits.begin(), digits.end(), isHexDigit) ||
        digits.isEmpty())
        return "#FFFFFF";
    return '#' + digits.toByteArray().toUpper();
}

QString pageFileName(const QString& movieName, const PreparedGraph& graph) {
    return QString(movieName).chopped(4) + (graph.aspFlag == "ASP" ? u".asp"_s : u".html"_s);
}

QString pictureFileName(const QString& movieName) {
    return QString(movieName).chopped(4) + u".svg"_s;
}

QList<QByteArray> embeddedPageLines(const QString& movieName, const PreparedGraph& graph) {
    QList<QByteArray> lines = kHeadLines;
    lines += {"<TITLE>Tivora Custom Graph</TITLE> ", "</HEAD> ", " ",
              "<BODY bgcolor=\"" + pageColourText(graph.pageColour) + "\"> "};
    lines += objectLines(movieName, graph);
    return lines;
}

QList<QByteArray> linkPageLines(const QString& movieName, const PreparedGraph& graph) {
    const QByteArray page = ansi(pageFileName(movieName, graph));
    QList<QByteArray> lines = kHeadLines;
    lines += {"<TITLE>Tivora Custom Graph</TITLE> ",
              "<SCRIPT LANGUAGE=\"JavaScript\">",
              "<!--",
              "function FlashWindow() { //v2.0",
              "  window.open ('pop" + page +
                  "', 'newWin', 'scrollbars=no,status=no,width=700,height=475')",
              "}",
              "//-->",
              "</SCRIPT>",
              "</HEAD> ",
              " ",
              "\t<BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#000000\">",
              "\t<DIV ALIGN=\"center\">",
              "  <P><FONT FACE=\"Arial, Helvetica, sans-serif\" SIZE=\"2\"><A HREF=\"#\"  "
              "onClick=\"FlashWindow()\">Open Graph (" +
                  page + ")",
              "  </A></FONT></P>",
              "</BODY> ",
              "</HTML> "};
    return lines;
}

QList<QByteArray> popupPageLines(const QString& movieName, const PreparedGraph& graph) {
    QList<QByteArray> lines = kHeadLines;
    lines += {"<TITLE>Tivora Custom Graph Popup</TITLE> ", "</HEAD> ", " ",
              "<BODY bgcolor=\"" + pageColourText(graph.pageColour) +
                  "\" leftmargin=\"0\" topmargin=\"0\" marginwidth=\"0\" marginheight=\"0\">"};
    lines += objectLines(movieName, graph);
    return lines;
}

void WritePublishPage(const QString& folder, const QString& movieName, const PreparedGraph& graph,
                      bool embed, PublishLog& log) {
    const QDir output(folder);
    const QString page = pageFileName(movieName, graph);
    const auto pageLines =
        embed ? embeddedPageLines(movieName, graph) : linkPageLines(movieName, graph);
    if (const auto reason = writePage(output.filePath(page), pageLines))
        log.failure(u"Error writing html/asp File "_s + output.filePath(page) + u": "_s + *reason);
    if (embed)
        return;
    const QString popup = u"pop"_s + page;
    if (const auto reason = writePage(output.filePath(popup), popupPageLines(movieName, graph)))
        log.failure(u"Error writing the popup html File "_s + output.filePath(popup) + u": "_s +
                    *reason);
}

} // namespace tivora::publish
