#pragma once

#include <QObject>

class QTabWidget;

namespace tivora {

// Keeps the keyboard on the pages a tab widget shows. Ctrl+Tab and Ctrl+Shift+Tab (going round)
// and the arrow, Home and End keys on its tab bar move to the next page that is shown and
// enabled, passing over hidden pages as the mouse must: a hidden page holds what does not belong
// to the graph in hand, or what is kept out of sight. A tab widget on a page of another with only
// one page to show passes Ctrl+Tab on to the one around it.
class ShownTabKeys : public QObject {
    Q_OBJECT

public:
    // Watches pages and its tab bar; owned by pages.
    explicit ShownTabKeys(QTabWidget* pages);

    // The page reached from page by going step pages (+1 or -1) at a time over the shown,
    // enabled ones; past either end it goes round when wrap is set and stays put when not.
    int nextShown(int page, int step, bool wrap) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isShown(int page) const;
    // The page a key moves to, or -1 when the key is not one that turns pages here.
    int target(const QObject* watched, int key, Qt::KeyboardModifiers modifiers) const;

    QTabWidget* m_pages;
};

} // namespace tivora
