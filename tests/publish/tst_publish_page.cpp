#include "document/variable_text.h"
#include "export/graph_summary.h"
#include "publish/asp_parameters.h"
#include "publish/publish_page.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora::publish {
namespace {

QByteArray entry(QByteArrayView key, QByteArrayView value) {
    return '&' + key.toByteArray() + '=' + EncodeValue(value);
}

PreparedGraph graphWith(QByteArray colour, QByteArray header = "Sales") {
    PreparedGraph graph;
    graph.pageColour = std::move(colour);
    graph.header = std::move(header);
    return graph;
}

const QList<QByteArray> kHead{
    "<HTML> ", "<HEAD> ",
    "<meta http-equiv=Content-Type content=\"text/html;  charset=ISO-8859-1\"> "};

const QByteArray kPictureSize =
    "WIDTH=\"700\" HEIGHT=\"475\" "
    "style=\"width:100%;max-width:700px;height:auto;aspect-ratio:700/475;display:block\"";

QList<QByteArray> objectLines(const QByteArray& movie, const QByteArray& alt, bool popup = false) {
    const QByteArray table = exporting::valuesTableHtml(VariableText(QByteArray())).toLatin1();
    QList<QByteArray> tableLines{table.trimmed()};
    if (popup) {
        tableLines = {"<div style=\"position:fixed;left:0;top:0;width:1px;height:1px;"
                      "overflow:hidden;clip-path:inset(50%)\">",
                      table.trimmed(), "</div>"};
    }
    return QList<QByteArray>{
               "<!--Namehttps://www.orvanta.com/--> ",
               "<OBJECT classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\" ",
               " codebase=\"https://download.macromedia.com/pub/shockwave/cabs/flash/swflash.cab"
               "#version=6,0,0,0\" ",
               " WIDTH=\"700\" HEIGHT=\"475\" id=\"Tivora\" ALIGN=\"\"> ",
               " <PARAM NAME=movie VALUE=\"" + movie + "\"> ",
               "<PARAM NAME=quality VALUE=high> ",
               "<PARAM NAME=bgcolor VALUE=#000000> ",
               "<object data=\"Sales.svg\" type=\"image/svg+xml\" " + kPictureSize + "> ",
               " <img src=\"Sales.svg\" " + kPictureSize + " alt=\"" + alt + "\"> ",
               "</object> ",
               "</OBJECT> "} +
           tableLines + QList<QByteArray>{"</BODY> ", "</HTML> "};
}

} // namespace

class PublishPageTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void embeddedPage() {
        QList<QByteArray> expected = kHead;
        expected +=
            {"<TITLE>Tivora Custom Graph</TITLE> ", "</HEAD> ", " ", "<BODY bgcolor=\"#FFCC00\"> "};
        expected += objectLines("Sales.swf", "Sales");
        QCOMPARE(embeddedPageLines(u"Sales.swf"_s, graphWith("0xFFCC00")), expected);
    }

    void linkPageAndPopupPage() {
        const PreparedGraph graph = graphWith("0x336699");
        QList<QByteArray> link = kHead;
        link += {"<TITLE>Tivora Custom Graph</TITLE> ",
                 "<SCRIPT LANGUAGE=\"JavaScript\">",
                 "<!--",
                 "function FlashWindow() { //v2.0",
                 "  window.open ('popSales.html', 'newWin', "
                 "'scrollbars=no,status=no,width=700,height=475')",
                 "}",
                 "//-->",
                 "</SCRIPT>",
                 "</HEAD> ",
                 " ",
                 "\t<BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#000000\">",
                 "\t<DIV ALIGN=\"center\">",
                 "  <P><FONT FACE=\"Arial, Helvetica, sans-serif\" SIZE=\"2\"><A HREF=\"#\"  "
                 "onClick=\"FlashWindow()\">Open Graph (Sales.html)",
                 "  </A></FONT></P>",
                 "</BODY> ",
                 "</HTML> "};
        QCOMPARE(linkPageLines(u"Sales.swf"_s, graph), link);

        QList<QByteArray> popup = kHead;
        popup += {"<TITLE>Tivora Custom Graph Popup</TITLE> ", "</HEAD> ", " ",
                  "<BODY bgcolor=\"#336699\" leftmargin=\"0\" topmargin=\"0\" marginwidth=\"0\" "
                  "marginheight=\"0\">"};
        popup += objectLines("Sales.swf", "Sales", true);
        QCOMPARE(popupPageLines(u"Sales.swf"_s, graph), popup);
    }

    void aspPagesCallTheMovieWithTheGraphsValues() {
        PreparedGraph graph = graphWith("0xFFFFFF", "Q<1> \"best\"");
        graph.aspFlag = "ASP";
        graph.aspParameters = "&header=H&footer=F&A1=5";
        QCOMPARE(pageFileName(u"Sales.swf"_s, graph), u"Sales.asp"_s);
        const auto lines = embeddedPageLines(u"Sales.swf"_s, graph);
        QCOMPARE(lines[11], " <PARAM NAME=movie VALUE=\"Sales.swf?v=1&header=H&footer=F&A1=5\"> ");
        // The header is the picture's text, written so that it cannot end the attribute.
        QCOMPARE(lines[15], " <img src=\"Sales.svg\" " + kPictureSize +
                                " alt=\"Q&lt;1&gt; &quot;best&quot;\"> ");
        QCOMPARE(linkPageLines(u"Sales.swf"_s, graph)[15].right(22), "Open Graph (Sales.asp)");
    }

    void thePageCarriesTheGraphsValuesUnderIt() {
        PreparedGraph graph = graphWith("0xFFFFFF");
        // A graph file line: one series "A<B" of two values, in the file's encoding.
        graph.lines = {"&gt_=cbs&sr_=2&co_=3&sl_=B=C&xl_=R20y0R3&y1v_=230y034&"};
        const auto lines = embeddedPageLines(u"Sales.swf"_s, graph);
        const QByteArray& table = lines[lines.size() - 3];
        QVERIFY2(table.startsWith("<details") && table.contains("A&lt;B") && table.contains("Q2") &&
                     table.contains("12"),
                 table.constData());
    }

    void pageColourIsAlwaysAColour() {
        QCOMPARE(pageColourText("0xFFFFFF"), "#FFFFFF");
        QCOMPARE(pageColourText("0x00ff80"), "#00FF80");
        for (const QByteArray& bad :
             {QByteArray(), QByteArray("0x12345"), QByteArray("0x1234567"), QByteArray("#123456"),
              QByteArray("0x\"><scr"), QByteArray("..")})
            QCOMPARE(pageColourText(bad), "#FFFFFF");
        const auto crafted = embeddedPageLines(u"A.swf"_s, graphWith("0x\"><b>"));
        QCOMPARE(crafted[6], "<BODY bgcolor=\"#FFFFFF\"> ");
    }

    void barParametersInOrder() {
        const VariableText graph(entry("hd_", "Head") + entry("ft_", "Foot") + entry("sr_", "2") +
                                 entry("co_", "3") + entry("xl_", "Jan/x/Feb/x/Mar") +
                                 entry("y1v_", "1/x/2/x/3") + entry("y2v_", "4/x/5/x/6") + '&');
        QCOMPARE(std::get<QByteArray>(barAspParameters(graph)),
                 "&header=Head&footer=Foot&A1=1&XVal1=Jan&A2=2&XVal2=Feb&A3=3&XVal3=Mar"
                 "&B1=4&B2=5&B3=6");
        // Without values for the first series there are no x labels at all; a short list
        // repeats its last item.
        const VariableText secondOnly(entry("hd_", "H") + entry("ft_", "") + entry("sr_", "2") +
                                      entry("co_", "3") + entry("xl_", "a/x/b/x/c") +
                                      entry("y1v_", "") + entry("y2v_", "7/x/8") + '&');
        QCOMPARE(std::get<QByteArray>(barAspParameters(secondOnly)),
                 "&header=H&footer=&B1=7&B2=8&B3=8");
        const VariableText notANumber(entry("sr_", "two") + entry("co_", "3") + '&');
        QVERIFY(std::holds_alternative<QString>(barAspParameters(notANumber)));
        // Counts no graph has would build parameters without end: refused at once.
        const VariableText huge(entry("sr_", "2000000000") + entry("co_", "2000000000") + '&');
        QVERIFY(std::holds_alternative<QString>(barAspParameters(huge)));
        const VariableText long_(entry("sr_", "9999") + entry("co_", "9999") +
                                 entry("y1v_", QByteArray(1000, 'v')) + '&');
        QVERIFY(std::get<QString>(barAspParameters(long_)).contains(u"1048576 characters"_s));
    }

    void pieParameters() {
        const VariableText pie(entry("hd_", "P") + entry("ft_", "F") + entry("sli_", "2") +
                               entry("SliceLabels", "North/x/South") +
                               entry("SliceValues", "10/x/20") + '&');
        QCOMPARE(std::get<QByteArray>(pieAspParameters(pie)),
                 "&header=P&footer=F&S1=10&L1=North&S2=20&L2=South");
        const VariableText empty(entry("hd_", "P") + entry("ft_", "F") + entry("sli_", "2") +
                                 entry("SliceValues", "") + '&');
        QCOMPARE(std::get<QByteArray>(pieAspParameters(empty)), "&header=P&footer=F");
        QVERIFY(std::holds_alternative<QString>(pieAspParameters(VariableText("&sli_=&"))));
    }

    void pagesAreWrittenWithCrLf() {
        QTemporaryDir folder;
        PublishLog log({});
        // A graph with values (the table under the picture breaks lines of its own) and a header
        // holding line breaks of both kinds.
        PreparedGraph graph = graphWith("0xFFFFFF", "North\nSouth\rEast");
        graph.lines = {"&gt_=cbs&sr_=2&co_=3&sl_=B=C&xl_=R20y0R3&y1v_=230y034&"};
        QVERIFY(WritePublishPage(folder.path(), u"Sales.swf"_s, graph, false, log));
        QVERIFY(WritePublishPage(folder.path(), u"Costs.swf"_s, graph, true, log));
        QVERIFY(log.failures().isEmpty());
        for (const QString& name : {u"Sales.html"_s, u"popSales.html"_s, u"Costs.html"_s}) {
            QFile page(folder.path() + u'/' + name);
            QVERIFY(page.open(QIODevice::ReadOnly));
            const QByteArray text = page.readAll();
            QVERIFY(text.startsWith("<HTML> \r\n<HEAD> \r\n"));
            QVERIFY(text.endsWith("</HTML> \r\n"));
            // Every CR is followed by LF and every LF follows a CR.
            QCOMPARE(text.count('\r'), text.count("\r\n"));
            QCOMPARE(text.count('\n'), text.count("\r\n"));
        }

        // A folder that is not there: both pages are tried and both failures logged.
        QVERIFY(!WritePublishPage(folder.path() + u"/gone"_s, u"Sales.swf"_s, graphWith(""), false,
                                  log));
        QCOMPARE(log.failures().size(), 2);
        QVERIFY(log.failures()[0].startsWith(u"Error writing html/asp File"_s));
        QVERIFY(log.failures()[1].startsWith(u"Error writing the popup html File"_s));
    }

    // A graph file's name is the user's (or anyone's) choice: in every place it reaches a page it
    // stays text and cannot start markup or end the script string it stands in.
    void fileNamesCannotRunScriptInThePages() {
        const PreparedGraph graph = graphWith("0xFFFFFF", "");
        const QString movie = u"<img src=x onerror=alert('1')>.swf"_s;
        const QByteArray link = linkPageLines(movie, graph).join('\n');
        const QByteArray popup = popupPageLines(movie, graph).join('\n');
        for (const QByteArray& page : {link, popup, embeddedPageLines(movie, graph).join('\n')}) {
            QVERIFY2(!page.contains("<img src=x"), page.constData());
            QVERIFY(!page.contains("alert('1')"));
        }
        QVERIFY(link.contains("Open Graph (&lt;img src=x onerror=alert(&#39;1&#39;)&gt;.html)"));
        const qsizetype open = link.indexOf("window.open ('") + 14;
        const QByteArray argument = link.mid(open, link.indexOf('\'', open) - open);
        QCOMPARE(argument, "pop%3Cimg%20src%3Dx%20onerror%3Dalert%28%271%27%29%3E.html");
        QVERIFY(link.contains(QByteArray(argument + "', 'newWin', 'scrollbars=no")));
        // The file stays reachable by its links.
        QVERIFY(popup.contains("<object data=\"%3Cimg%20src%3Dx"));
        QVERIFY(popup.contains("VALUE=\"%3Cimg%20src%3Dx"));
        QVERIFY(popup.contains("alt=\"&lt;img src=x onerror=alert(&#39;1&#39;)&gt;\""));

        // A quote, a backslash or "</script>" in a name cannot end the script string either.
        const QByteArray quoted = linkPageLines(u"a'b\\</script>.swf"_s, graph).join('\n');
        QVERIFY(quoted.contains("window.open ('popa%27b%5C%3C%2Fscript%3E.html', "));
        QCOMPARE(quoted.count("</script>"), 0);
        QCOMPARE(quoted.count("</SCRIPT>"), 1);
    }
};

} // namespace tivora::publish

QTEST_APPLESS_MAIN(tivora::publish::PublishPageTest)
#include "tst_publish_page.moc"
