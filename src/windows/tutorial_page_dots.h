#pragma once

#include <QAbstractButton>
#include <QList>
#include <QWidget>

namespace tivora {

// One dot of the row: a round button that stands for a page, filled while its page shows.
class TutorialPageDot : public QAbstractButton {
public:
    TutorialPageDot(int page, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A row of dots, one for each page of the tutorial, that tells which page shows and turns to a
// page when its dot is clicked (or given the space key from the keyboard).
class TutorialPageDots : public QWidget {
    Q_OBJECT

public:
    explicit TutorialPageDots(QWidget* parent = nullptr);

    // Makes one dot for each of count pages; the first is current.
    void setPageCount(int count);
    int pageCount() const { return int(m_dots.size()); }
    void setCurrentPage(int page);
    int currentPage() const;
    TutorialPageDot* dot(int page) const { return m_dots.value(page); }

Q_SIGNALS:
    // The user chose page (from 0).
    void pageChosen(int page);

private:
    QList<TutorialPageDot*> m_dots;
};

} // namespace tivora
