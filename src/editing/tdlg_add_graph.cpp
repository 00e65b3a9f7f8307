#include "editing/tdlg_add_graph.h"

#include "editing/template_picture.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

QGroupBox* noteGroup(const QString& text) {
    auto* note = new QLabel(text);
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout;
    layout->addWidget(note);
    auto* group = new QGroupBox(u"NOTE"_s);
    group->setLayout(layout);
    return group;
}

// A page: its pictures in rows of four, with the note beneath.
QWidget* picturePage(const QString& name, QLabel* heading,
                     const std::vector<TemplatePicture*>& pictures, QGroupBox* note) {
    auto* grid = new QGridLayout;
    grid->setSpacing(8);
    for (std::size_t index = 0; index < pictures.size(); ++index)
        grid->addWidget(pictures[index], int(index / 4), int(index % 4));
    auto* page = new QWidget;
    page->setObjectName(name);
    auto* layout = new QVBoxLayout(page);
    if (heading)
        layout->addWidget(heading);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addWidget(note);
    return page;
}

} // namespace

TdlgAddGraph::TdlgAddGraph(QWidget* parent)
    : QDialog(parent)
    , PageControl1(new QTabWidget) {
    setObjectName(u"dlgAddGraph"_s);
    setWindowTitle(u"New Graph"_s);
    PageControl1->setObjectName(u"PageControl1"_s);
    TabGraphs = graphsPage();
    TabSamples = samplesPage();
    PageControl1->addTab(TabGraphs, u"Graphs"_s);
    PageControl1->addTab(TabSamples, u"Samples"_s);
    PageControl1->setCurrentWidget(TabSamples);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

TemplatePicture* TdlgAddGraph::picture(const QString& name, const QString& skinElement,
                                       const QString& caption, const QString& templateFile) {
    auto* panel = new TemplatePicture(name, caption, templateFile);
    m_skinPictures.append({panel, skinElement});
    connect(panel, &TemplatePicture::chosen, this, [this, panel] {
        m_templateFile = panel->templateFile();
        accept();
    });
    m_pictures.push_back(panel);
    return panel;
}

QWidget* TdlgAddGraph::graphsPage() {
    auto* heading = new QLabel(u"Base Graph Type - Combined Graphs"_s);
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    return picturePage(
        u"TabGraphs"_s, heading,
        {picture(u"Image1"_s, u"BarGraph"_s, u"Bar Graph/Combo"_s, u"Data/blank.dat"_s),
         picture(u"Image4"_s, u"LineGraph"_s, u"Line Graph or Combo"_s, u"Data/blankl.dat"_s),
         picture(u"Image3"_s, u"AreaGraph"_s, u"Area Graph or Combo"_s, u"Data/blankA.dat"_s),
         picture(u"Image2"_s, u"PieGraph"_s, u"Pie Graph"_s, u"Data/blankPie.dat"_s)},
        noteGroup(
            u"You can combine the Area, Bar and Line graphs at any time.  The base type "
            "chosen here is the default graph that will be used for each new series added"_s));
}

QWidget* TdlgAddGraph::samplesPage() {
    return picturePage(
        u"TabSamples"_s, nullptr,
        {picture(u"pnlTemp1"_s, u"Template1"_s, u"3 Series Bar"_s, u"Data/P_3Bar.dat"_s),
         picture(u"pnlTemp2"_s, u"Template2"_s, u"3 Series Stack"_s, u"Data/P_3BarStack.dat"_s),
         picture(u"pnlTemp3"_s, u"Template3"_s, u"3 Series Line"_s, u"Data/P_3LineNote.dat"_s),
         picture(u"pnlTemp4"_s, u"Template4"_s, u"Bar Line Combo"_s, u"Data/P_3StackLine.dat"_s),
         picture(u"pnlSample1"_s, u"Sample1"_s, u"Link to Excel"_s, u"Data/T_Excel.dat"_s),
         picture(u"pnlSample2"_s, u"Sample2"_s, u"Area/Line Combo"_s, u"Data/T_Combo2.dat"_s),
         picture(u"pnlSample3"_s, u"Sample3"_s, u"Bar/Line Combo"_s, u"Data/T_Combo4.dat"_s),
         picture(u"pnlSample4"_s, u"Sample4"_s, u"Pie Chart"_s, u"Data/T_Pie.dat"_s)},
        noteGroup(u"These samples may be used as templates for your own graphs."_s));
}

QString TdlgAddGraph::chooseTemplate() {
    exec();
    return m_templateFile;
}

void TdlgAddGraph::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TdlgAddGraph::FormShow() {
    m_templateFile.clear();
    appSkin().skinWindow(*this, allSkinKindsBut(SkinKind::Button), m_skinPictures);
    for (TemplatePicture* panel : m_pictures)
        panel->drawTemplate();
    // The first picture of the page shown takes the focus: from the keyboard a template is
    // chosen with the arrows or Tab, then Enter.
    if (QWidget* first = PageControl1->currentWidget()->findChild<TemplatePicture*>())
        first->setFocus(Qt::OtherFocusReason);
}

} // namespace tivora
