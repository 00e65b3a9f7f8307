#pragma once

#include "controls/skins/skin.h"

#include <QDialog>
#include <vector>

class QTabWidget;

namespace tivora {

class TemplatePicture;

// "New Graph": the templates a new graph starts from, as pictures on two pages. A picture click
// chooses its template and closes the dialog; "OK" and "Cancel" close it choosing nothing. The
// window keeps one dialog, so the page shown last is shown again.
class TdlgAddGraph : public QDialog {
    Q_OBJECT

public:
    explicit TdlgAddGraph(QWidget* parent = nullptr);

    // The chosen template relative to the program folder ("Data/blank.dat"); empty until a
    // picture is clicked since the dialog was last shown.
    QString templateFile() const { return m_templateFile; }
    // Shows the dialog modally and gives the template chosen in it.
    QString chooseTemplate();

    QTabWidget* PageControl1;
    QWidget* TabGraphs;
    QWidget* TabSamples;
    std::vector<TemplatePicture*> pictures() const { return m_pictures; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    QWidget* graphsPage();
    QWidget* samplesPage();
    // A picture panel; the skin draws it as skinElement when it has a picture for it.
    TemplatePicture* picture(const QString& name, const QString& skinElement,
                             const QString& caption, const QString& templateFile);

    QString m_templateFile;
    std::vector<TemplatePicture*> m_pictures;
    QList<SkinElement> m_skinPictures;
};

} // namespace tivora
