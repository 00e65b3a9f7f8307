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

// Text placed in the page, as element text or inside an attribute value in double quotes: the
// characters that could end the value or start markup are written as references. The movie's
// parameters keep their "&" as they always have (escapeAmpersand off): a browser reads "&header="
// in a value as it stands.
QByteArray htmlText(QByteArrayView text, bool escapeAmpersand = true) {
    QByteArray escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += escapeAmpersand ? "&amp;" : "&";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&#39;";
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

// A file name as a link to it beside the page: every character a web address cannot carry as it
// stands written as %XX of its UTF-8 bytes, as the file is named on disk.
QByteArray linkTo(const QString& fileName) {
    return QUrl::toPercentEncoding(fileName);
}

// Text inside a script's single-quoted string: anything but letters, digits and the characters
// of a file link is written as \xXX, so that no quote, backslash or "</script" can end the string
// or the script.
QByteArray scriptStringText(QByteArrayView text) {
    QByteArray escaped;
    for (const char c : text) {
        if (std::isalnum(uchar(c)) || QByteArrayView("._-~%").contains(c))
            escaped += c;
        else
            escaped += "\\x" + QByteArray::number(uchar(c), 16).rightJustified(2, '0');
    }
    return escaped;
}

QByteArray movieReference(const QString& movieName, const PreparedGraph& graph) {
    QByteArray reference = linkTo(movieName);
    if (graph.aspFlag == "ASP")
        reference += "?v=1" + graph.aspParameters;
    return reference;
}

// The picture follows the page's width up to the player's 700 x 475, keeping its shape, so a
// narrow screen sees the whole graph without scrolling sideways. As a block it leaves no gap for
// a line's descent under it, which would make the pop-up window scroll.
constexpr QByteArrayView kPictureStyle =
    "width:100%;max-width:700px;height:auto;aspect-ratio:700/475;display:block";

// In place of the player plug-in no browser has any more, the graph's picture. An object keeps
// the links of the graph's notes working; the image inside is what a browser that does not show
// the object shows, with the header as its text.
QList<QByteArray> pictureLines(const QString& movieName, const PreparedGraph& graph) {
    const QByteArray picture = linkTo(pictureFileName(movieName));
    const QByteArray size =
        "WIDTH=\"700\" HEIGHT=\"475\" style=\"" + kPictureStyle.toByteArray() + '"';
    const QByteArray alt =
        graph.header.isEmpty() ? ansi(QString(movieName).chopped(4)) : graph.header;
    return {"<object data=\"" + picture + "\" type=\"image/svg+xml\" " + size + "> ",
            " <img src=\"" + picture + "\" " + size + " alt=\"" + htmlText(alt) + "\"> ",
            "</object> "};
}

// The graph's values under it, for screen readers and search engines, which read no picture.
// The pop-up window is just the graph's size, so there the
// table is kept out of sight (and out of the page's length) while screen readers still read it.
QList<QByteArray> valuesTableLines(const PreparedGraph& graph, bool popup) {
    const QString table = exporting::valuesTableHtml(VariableText(graph.lines.join()));
    QList<QByteArray> lines{stringToAnsi(table).value_or(QByteArray()).trimmed()};
    if (popup) {
        lines.prepend("<div style=\"position:fixed;left:0;top:0;width:1px;height:1px;"
                      "overflow:hidden;clip-path:inset(50%)\">");
        lines.append("</div>");
    }
    return lines;
}

// Lines 8 to 21 of the page: the note, the player object with the picture, the end.
QList<QByteArray> objectLines(const QString& movieName, const PreparedGraph& graph, bool popup) {
    QList<QByteArray> lines{"<!--Name" + kMakerAddress.toByteArray() + "--> ",
                            "<OBJECT classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\" ",
                            " codebase=\"" + kPlayerDownloadAddress.toByteArray() + "\" ",
                            " WIDTH=\"700\" HEIGHT=\"475\" id=\"Tivora\" ALIGN=\"\"> ",
                            " <PARAM NAME=movie VALUE=\"" +
                                htmlText(movieReference(movieName, graph), false) + "\"> ",
                            "<PARAM NAME=quality VALUE=high> ",
                            "<PARAM NAME=bgcolor VALUE=#000000> "};
    lines += pictureLines(movieName, graph);
    lines += "</OBJECT> ";
    lines += valuesTableLines(graph, popup);
    lines += {"</BODY> ", "</HTML> "};
    return lines;
}

const QList<QByteArray> kHeadLines{
    "<HTML> ", "<HEAD> ",
    "<meta http-equiv=Content-Type content=\"text/html;  charset=ISO-8859-1\"> "};

std::optional<QString> writePage(const QString& path, const QList<QByteArray>& lines) {
    QByteArray text;
    for (QByteArray line : lines) {
        // Every line ends in CR LF, also where a table or a value from the graph breaks a line of
        // its own: its breaks, of whatever kind, become CR LF too.
        line.replace("\r\n", "\n").replace('\r', '\n');
        for (const QByteArray& part : line.split('\n'))
            text += part + "\r\n";
    }
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
    lines += objectLines(movieName, graph, false);
    return lines;
}

QList<QByteArray> linkPageLines(const QString& movieName, const PreparedGraph& graph) {
    const QString page = pageFileName(movieName, graph);
    const QByteArray popupLink = scriptStringText(linkTo(u"pop"_s + page));
    QList<QByteArray> lines = kHeadLines;
    lines += {"<TITLE>Tivora Custom Graph</TITLE> ",
              "<SCRIPT LANGUAGE=\"JavaScript\">",
              "<!--",
              "function FlashWindow() { //v2.0",
              "  window.open ('" + popupLink +
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
                  htmlText(ansi(page)) + ")",
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
    lines += objectLines(movieName, graph, true);
    return lines;
}

bool WritePublishPage(const QString& folder, const QString& movieName, const PreparedGraph& graph,
                      bool embed, PublishLog& log) {
    const QDir output(folder);
    const QString page = pageFileName(movieName, graph);
    const auto pageLines =
        embed ? embeddedPageLines(movieName, graph) : linkPageLines(movieName, graph);
    bool written = true;
    if (const auto reason = writePage(output.filePath(page), pageLines)) {
        log.failure(u"Error writing html/asp File "_s + output.filePath(page) + u": "_s + *reason);
        written = false;
    }
    if (embed)
        return written;
    const QString popup = u"pop"_s + page;
    if (const auto reason = writePage(output.filePath(popup), popupPageLines(movieName, graph))) {
        log.failure(u"Error writing the popup html File "_s + output.filePath(popup) + u": "_s +
                    *reason);
        written = false;
    }
    return written;
}

} // namespace tivora::publish
