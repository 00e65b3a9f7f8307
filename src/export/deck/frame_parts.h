#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The parts around the slides that every deck holds the same way: the theme, the slide and notes
// masters with their one layout, and the presentation's settings and properties.
namespace tivora::exporting::deck {

// Relationship ids inside the master and layout parts, fixed because the parts are.
inline constexpr auto kMasterLayoutId = "rId1";
inline constexpr auto kMasterThemeId = "rId2";

QByteArray themeXml();
// The slide master, whose one layout is kMasterLayoutId and theme kMasterThemeId.
QByteArray slideMasterXml();
QByteArray slideLayoutXml();
// The notes master, whose theme is its relationship rId1.
QByteArray notesMasterXml();
QByteArray presentationPropertiesXml();
QByteArray viewPropertiesXml();
QByteArray tableStylesXml();
QByteArray corePropertiesXml(const QString& title);
QByteArray appPropertiesXml(int slideCount);

struct PresentationLinks {
    QString master;
    QString notesMaster;
    QStringList slides; // in showing order
};

QByteArray presentationXml(const PresentationLinks& links);

} // namespace tivora::exporting::deck
