#pragma once

#include <QDialog>
#include <QUrl>

class QPushButton;
class QTextBrowser;

namespace tivora {

// The user guide in a window of the program's own: the guide's pages with their pictures, and
// their links followed inside the window. A link to the web goes to the desktop's browser; when
// the desktop has none that works, the window says so and names the address, so the reader can
// open it another way. The guide keeps its own paper look in every skin, as a page does in a
// browser.
class TfrmHelp : public QDialog {
    Q_OBJECT

public:
    explicit TfrmHelp(QWidget* parent = nullptr);

    // Shows page (a local file) and brings the window up.
    void showPage(const QUrl& page);

    QTextBrowser* txtGuide;
    QPushButton* btnBack;
    QPushButton* btnForward;
    QPushButton* btnContents;
    QPushButton* btnClose;

    // Follows a link of the guide: a page or place of the guide in the window, anything else
    // through the desktop.
    void txtGuideAnchorClicked(const QUrl& link);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QUrl m_home;
};

} // namespace tivora
