#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace tivora::engine {

// One page of a tutorial movie.
struct TutorialPage {
    QString title;
    QStringList steps;
    QString tip;
};

// The pages of a tutorial movie, written as the movie's body in Windows-1252 text:
//
//   # Page title            starts a page
//   A step                  every other line is the page's next step
//   ! A tip                 a hint shown at the foot of the page
//
// Blank lines are ignored; steps before the first page title are ignored too. Only where each
// page starts is kept: a page is read when it is shown, so a movie of a million pages costs no
// more to hold than its bytes and one index per page. A page keeps no more steps, and a line no
// more characters, than a stage could show.
class TutorialScript {
public:
    static constexpr qsizetype kMostSteps = 16;
    static constexpr qsizetype kLongestLine = 2000;

    static TutorialScript parse(const QByteArray& body);

    std::size_t pageCount() const { return m_pageStarts.size(); }
    // The page at index, which must be below pageCount().
    TutorialPage page(std::size_t index) const;

private:
    QByteArray m_body;
    std::vector<qsizetype> m_pageStarts; // of each page's title line in m_body
};

} // namespace tivora::engine
