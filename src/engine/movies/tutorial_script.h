#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace tivora::engine {

// The pages of a tutorial movie, written as the movie's body in Windows-1252 text:
//
//   # Page title            starts a page
//   A step                  every other line is the page's next step
//   ! A tip                 a hint shown at the foot of the page
//
// Blank lines are ignored; steps before the first page title are ignored too.
struct TutorialPage {
    QString title;
    QStringList steps;
    QString tip;
};

struct TutorialScript {
    std::vector<TutorialPage> pages;

    static TutorialScript parse(const QByteArray& body);
};

} // namespace tivora::engine
