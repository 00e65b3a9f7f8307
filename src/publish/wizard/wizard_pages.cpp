#include "publish/wizard/wizard_pages.h"

#include "publish/wizard/tfrm_publish.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivora::publish {
namespace {

const QStringList kInternetDescription{
    u"Generate the files needed to display your graph/s on the Internet in a directory "_s,
    u"of your choice."_s,
    QString(),
    u"Includes:"_s,
    QString(),
    u"- Compiling the graphs into very small .swf files (about 5kb)"_s,
    u"- Copying all images/effects etc used in the graphs to your chosen directory."_s,
    u"- Copying the Tivora engine (about 30kb) used by the graphs.  This is only "_s,
    u"  loaded once by each client, regardless of how many graphs they view."_s,
    u"- Generating of HTML file to embed the Flash SWF files or Popup the Flash files"_s,
    u"  in a separate browser window."_s,
    QString(),
    u"Once completed simply copy all the files created to your site and link to the "_s,
    u"HTML files created and voila the graphs are available."_s};

const QStringList kPowerPointDescription{
    u"Generate the files needed to include the graphs in your Powerpoint presentation "_s,
    u"and instructions on how to add the files to your presentation."_s,
    QString(),
    u"Includes:"_s,
    QString(),
    u"- Compiling the graphs into standalone .swf files "_s,
    u"- Copying all images/effects etc used in the graphs to your chosen directory."_s,
    QString(),
    u"Once completed make sure all the files created are in the same directory as your"_s,
    u"PowerPoint presentation and follow the tutorial on Publishing to PowerPoint."_s};

const QStringList kFlashDescription{
    u"Generates Macromedia Flash .swf files for each of your graphs. These files "_s,
    u"can then be used in other presentations/websites etc"_s,
    QString(),
    u"You have the choice of using a tiny .SWF calling file (About 5kb) that uses the "_s,
    u"common Tivora SWF graphing engine that downloads only once  (about "_s,
    u"30kb) or to make larger standalone SWF files that include the engine."_s,
    QString(),
    u"The SWF files created can be called from any Flash file so you can incorporate"_s,
    u"graphs into any Flash presentation.  "_s,
    QString(),
    u"Make sure you copy all the files created to the directory where you are creating"_s,
    u"your own Flash file."_s};

const QStringList kMovieOptionsExplanation{
    u"What's the difference?"_s,
    QString(),
    u"The calling file means the engine in downloaded once only and then each "_s,
    u"graph uses the same engine.  Making online presentations very quick loading."_s,
    u"The calling SWF and the engine are smaller than a single SWF file."_s,
    QString(),
    u"The single standalone file is much bigger but easier to include in web pages "_s,
    u"and presentations and simpler to use. (Use this option if you are doing an "_s,
    u"offline presentation or embedding a graph in PowerPoint or some other "_s,
    u"package)"_s};

template <typename T> T* named(T* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QLabel* heading(const QString& text) {
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// The texts keep their own line breaks; a line wider than the page wraps rather than being cut.
QLabel* textBlock(const QStringList& lines) {
    auto* label = new QLabel(lines.join(u'\n'));
    label->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    label->setWordWrap(true);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 0.9);
    label->setFont(font);
    return label;
}

QWidget* descriptionPanel(const QString& name, const QString& title, const QStringList& lines) {
    auto* panel = named(new QWidget, name);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(heading(title));
    layout->addWidget(textBlock(lines), 1);
    return panel;
}

QPlainTextEdit* readOnlyText(const QString& name) {
    auto* text = named(new QPlainTextEdit, name);
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    return text;
}

} // namespace

QWidget* buildProjectPage(TfrmPublish& form) {
    auto* page = named(new QWidget, u"tsProject"_s);
    auto* layout = new QGridLayout(page);
    form.btnQuickPub = named(new QPushButton(u"Once Off - Quick Publish"_s), u"btnQuickPub"_s);
    form.lstProjects = named(new QListWidget, u"lstProjects"_s);
    form.btnNew = named(new QPushButton(u"New"_s), u"btnNew"_s);
    form.btnEditProject = named(new QPushButton(u"Edit"_s), u"btnEditProject"_s);
    form.btnDeleteProject = named(new QPushButton(u"Delete"_s), u"btnDeleteProject"_s);
    form.btnRunProject = named(new QPushButton(u"Run"_s), u"btnRunProject"_s);
    for (QPushButton* button : {form.btnEditProject, form.btnDeleteProject, form.btnRunProject})
        button->setEnabled(false);
    layout->addWidget(heading(u"Publish graphs"_s), 0, 0, 1, 2);
    layout->addWidget(form.btnQuickPub, 1, 0);
    layout->addWidget(heading(u"Saved graph publishing projects"_s), 2, 0, 1, 2);
    layout->addWidget(form.lstProjects, 3, 0, 5, 1);
    layout->addWidget(form.btnNew, 3, 1);
    layout->addWidget(form.btnEditProject, 4, 1);
    layout->addWidget(form.btnDeleteProject, 5, 1);
    layout->addWidget(form.btnRunProject, 6, 1);
    layout->setRowStretch(7, 1);
    return page;
}

QWidget* buildExportPage(TfrmPublish& form) {
    auto* page = named(new QWidget, u"tsExport"_s);
    auto* layout = new QGridLayout(page);
    form.lblProjectName = named(new QLabel(u"Project Name"_s), u"lblProjectName"_s);
    form.edtProjectName = named(new QLineEdit, u"edtProjectName"_s);
    form.lblProjectName->setBuddy(form.edtProjectName);
    form.cbExportTo = named(new QComboBox, u"cbExportTo"_s);
    form.cbExportTo->addItems(
        {u"Internet"_s, u"Powerpoint Presentation"_s, u"Flash Standalone SWF files"_s});
    auto* exportLabel = new QLabel(u"Publish files for "_s);
    exportLabel->setBuddy(form.cbExportTo);
    form.pnlDescriptions = {
        descriptionPanel(u"pnlInternetDesc"_s, u"Publish for the Internet"_s, kInternetDescription),
        descriptionPanel(u"pnlPowerpointDesc"_s, u"Publish for Powerpoint"_s,
                         kPowerPointDescription),
        descriptionPanel(u"pnlFlashDesc"_s, u"Publish to Flash"_s, kFlashDescription)};
    layout->addWidget(form.lblProjectName, 0, 0);
    layout->addWidget(form.edtProjectName, 0, 1);
    layout->addWidget(exportLabel, 1, 0);
    layout->addWidget(form.cbExportTo, 1, 1);
    layout->addWidget(heading(u"Description"_s), 2, 0, 1, 2);
    for (QWidget* panel : form.pnlDescriptions)
        layout->addWidget(panel, 3, 0, 1, 2);
    layout->setRowStretch(3, 1);
    layout->setColumnStretch(1, 1);
    return page;
}

QWidget* buildFilesPage(TfrmPublish& form) {
    auto* page = named(new QWidget, u"tsFiles"_s);
    auto* layout = new QGridLayout(page);
    form.lstGraphs = named(new QListWidget, u"lstGraphs"_s);
    form.btnRemove = named(new QPushButton(u"&Remove"_s), u"btnRemove"_s);
    form.btnAddGraph = named(new QPushButton(u"&Add"_s), u"btnAddGraph"_s);
    form.edtSaveDirectory = named(new QLineEdit, u"edtSaveDirectory"_s);
    form.btnSaveAs = named(new QPushButton(u".."_s), u"btnSaveAs"_s);
    form.btnSaveAs->setToolTip(u"Choose the directory"_s);
    form.chkExcelLink =
        named(new QCheckBox(u"If graphs link to Excel, re-extract before publishing"_s),
              u"chkExcelLink"_s);
    auto* graphsLabel = new QLabel(u"Graph/s"_s);
    graphsLabel->setBuddy(form.lstGraphs);
    auto* folderLabel = new QLabel(u"Select the directory to save to:"_s);
    folderLabel->setBuddy(form.edtSaveDirectory);
    layout->addWidget(new QLabel(u"Add the names of the graphs you would like to include:"_s), 0, 0,
                      1, 3);
    layout->addWidget(graphsLabel, 1, 0, Qt::AlignTop);
    layout->addWidget(form.lstGraphs, 1, 1, 3, 1);
    layout->addWidget(form.btnAddGraph, 1, 2);
    layout->addWidget(form.btnRemove, 2, 2);
    layout->addWidget(folderLabel, 4, 0, 1, 3);
    layout->addWidget(form.edtSaveDirectory, 5, 0, 1, 2);
    layout->addWidget(form.btnSaveAs, 5, 2);
    layout->addWidget(form.chkExcelLink, 6, 0, 1, 3);
    layout->setRowStretch(3, 1);
    layout->setColumnStretch(1, 1);
    return page;
}

QWidget* buildOptionsPage(TfrmPublish& form) {
    auto* page = named(new QWidget, u"tsOptions"_s);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    form.pnlInternet = named(new QWidget, u"pnlInternet"_s);
    form.rdoEmbed = named(new QRadioButton(u"Embed graph in the page"_s), u"rdoEmbed"_s);
    form.rdoPopup =
        named(new QRadioButton(u"Add link on page to load graph as a popup."_s), u"rdoPopup"_s);
    auto* internet = new QVBoxLayout(form.pnlInternet);
    internet->addWidget(heading(u"Internet Viewing options"_s));
    internet->addWidget(form.rdoEmbed);
    internet->addWidget(form.rdoPopup);
    internet->addStretch();

    form.pnlSWF = named(new QWidget, u"pnlSWF"_s);
    auto* swfOptions = new QGroupBox(u"SWF file options"_s);
    form.rdoEngine =
        named(new QRadioButton(u"Make a SWF file that makes use of the Tivora SWF engine"_s),
              u"rdoEngine"_s);
    form.rdoStandalone =
        named(new QRadioButton(u"Make a single standalone SWF file for each graph."_s),
              u"rdoStandalone"_s);
    auto* swfLayout = new QVBoxLayout(swfOptions);
    swfLayout->setContentsMargins(6, 2, 6, 2);
    swfLayout->setSpacing(2);
    swfLayout->addWidget(form.rdoEngine);
    swfLayout->addWidget(form.rdoStandalone);
    swfLayout->addWidget(textBlock(kMovieOptionsExplanation));
    auto* additional = new QGroupBox(u"Additional file options"_s);
    form.chkHTMLFile = named(new QCheckBox(u"Make HTML files."_s), u"chkHTMLFile"_s);
    form.chkFlaFile = named(
        new QCheckBox(u"Make .FLA file showing how to include your graphs in a presentation."_s),
        u"chkFlaFile"_s);
    form.chkFlaFile->setChecked(true);
    auto* additionalLayout = new QVBoxLayout(additional);
    additionalLayout->setContentsMargins(6, 2, 6, 2);
    additionalLayout->setSpacing(2);
    additionalLayout->addWidget(form.chkHTMLFile);
    additionalLayout->addWidget(form.chkFlaFile);
    auto* swf = new QVBoxLayout(form.pnlSWF);
    swf->setContentsMargins(0, 0, 0, 0);
    swf->addWidget(swfOptions);
    swf->addWidget(additional);
    layout->addWidget(form.pnlInternet);
    layout->addWidget(form.pnlSWF);
    return page;
}

QWidget* buildReviewPage(TfrmPublish& form) {
    auto* page = named(new QWidget, u"tsReview"_s);
    auto* layout = new QVBoxLayout(page);
    form.Memo2 = readOnlyText(u"Memo2"_s);
    form.Label10 = named(new QLabel(u"Click on finish to create files ... "_s), u"Label10"_s);
    layout->addWidget(heading(u"The following actions will be taken"_s));
    layout->addWidget(form.Memo2, 1);
    layout->addWidget(form.Label10);
    return page;
}

QWidget* buildResultPage(TfrmPublish& form) {
    auto* page = named(new QWidget, u"tsResult"_s);
    auto* layout = new QVBoxLayout(page);
    form.Memo3 = readOnlyText(u"Memo3"_s);
    form.Memo3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    form.prgPublish = named(new QProgressBar, u"prgPublish"_s);
    layout->addWidget(heading(u"Publish Trail"_s));
    layout->addWidget(form.Memo3, 1);
    layout->addWidget(form.prgPublish);
    return page;
}

} // namespace tivora::publish
