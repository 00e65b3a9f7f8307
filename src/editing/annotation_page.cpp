#include "editing/annotation_page.h"

#include "controls/dialogs.h"
#include "controls/num_edit.h"
#include "controls/scrolling_body.h"
#include "document/grid_layouts.h"
#include "document/variable_text.h"
#include "editing/note_rows.h"
#include "editing/note_text.h"
#include "editing/page_layout.h"
#include "editing/reading_tab_order.h"
#include "editing/tdlg_new_note.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

CaptionedTrackbar* noteBar(const QString& name, const QString& captionName,
                           Qt::Orientation orientation, int minimum, int maximum, int pageStep,
                           const QString& hint) {
    auto* bar = new CaptionedTrackbar(name, captionName, orientation);
    bar->setRange(minimum, maximum);
    bar->setPageStep(pageStep);
    bar->setToolTip(hint);
    if (orientation == Qt::Vertical)
        bar->setFixedHeight(56);
    return bar;
}

QPlainTextEdit* memo(const QString& name, const QString& hint) {
    auto* edit = named(new QPlainTextEdit, name, hint);
    edit->setFixedHeight(54);
    edit->setTabChangesFocus(true);
    return edit;
}

QString yesNo(bool yes) {
    return yes ? u"Yes"_s : u"No"_s;
}

// A bar with its caption beside it, in a row.
QHBoxLayout* barRow(const QString& label, CaptionedTrackbar* bar) {
    auto* row = new QHBoxLayout;
    if (!label.isEmpty())
        row->addWidget(fieldLabel(label, bar));
    row->addWidget(bar, 1);
    row->addWidget(bar->caption());
    return row;
}

// A page of PageControl2, scrolling when it is taller than the tab.
QWidget* innerPage(QLayout* content) {
    auto* page = new QWidget;
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(3);
    layout->addLayout(content);
    layout->addStretch();
    scrollingBody(page, body);
    return page;
}

} // namespace

AnnotationPage::AnnotationPage(GraphDocumentModel& model, QWidget* parent)
    : BoundPage(model, parent)
    , dlgNewNote(new TdlgNewNote(this)) {
    setObjectName(u"TabAnnotation"_s);
    buildControls();

    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);
    layout->addWidget(navigation());
    PageControl2->addTab(notePage(), u"Note"_s);
    PageControl2->addTab(highlightPage(), u"Highlight"_s);
    PageControl2->addTab(textPage(memoHeader, btnHeadFontC, pnlHeadFontC, edtHeadFontS, sbHeaderY),
                         u"Header Text"_s);
    PageControl2->addTab(textPage(memoBody, btnBodyFontC, pnlBodyFontC, edtBodyFontS, sbBodyY),
                         u"Body Text"_s);
    PageControl2->addTab(shadowPage(), u"Shadow"_s);
    layout->addWidget(PageControl2, 1);
    auto* pageLayout = new QVBoxLayout(this);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(body);

    connectControls();
    addLoader([this](const GraphDocument& d) { showNotes(d.notes); });
    reload();
    setReadingTabOrder(this);
}

QString AnnotationPage::caption() const {
    return u"Annotation"_s;
}

bool AnnotationPage::shownFor(const QString&) const {
    return true;
}

void AnnotationPage::buildControls() {
    edtNotes = named(new TNumEdit, u"edtNotes"_s, QString());
    edtNotes->setReadOnly(true);
    edtNotes->setFixedWidth(40);
    edtNotes->setStyleSheet(u"background-color: #E0E0E0;"_s);
    grpNoteControl = new QGroupBox(u"Edit/View Note : "_s);
    grpNoteControl->setObjectName(u"grpNoteControl"_s);
    btnPrevNote = named(new QPushButton(u"<"_s), u"btnPrevNote"_s, u"Previous Note"_s);
    btnNextNote = named(new QPushButton(u">"_s), u"btnNextNote"_s, u"Next Note"_s);
    lblNoteNo = named(new QLabel(u"1 of 10"_s), u"lblNoteNo"_s, QString());
    btnAddNote = named(new QPushButton(u"Add Note"_s), u"btnAddNote"_s,
                       u"Add a note to display on the graph."_s);
    btnDelNote = named(new QPushButton(u"Delete Current Note"_s), u"btnDelNote"_s,
                       u"Delete the displayed note."_s);
    btnDuplicate = named(new QPushButton(u"Duplicate Note"_s), u"btnDuplicate"_s, QString());
    PageControl2 = named(new QTabWidget, u"PageControl2"_s, QString());
    PageControl2->setUsesScrollButtons(true);
    buildNoteFields();
    buildBars();
    buildColourPickers();
}

void AnnotationPage::buildNoteFields() {
    cbShape = named(new QComboBox, u"cbShape"_s, u"Select the shape of the note to show"_s);
    cbShape->addItems({u"Circle/Oval"_s, u"Square/Rectangular"_s});
    rdoFlat =
        named(new QRadioButton(u"Flat"_s), u"rdoFlat"_s, u"Make the Note flat - No shading"_s);
    rdoShaded = named(new QRadioButton(u"Shaded"_s), u"rdoShaded"_s, u"Shade the note"_s);
    edtURL = named(new QLineEdit, u"edtURL"_s,
                   u"Enter a URL for the note to link to when it is clicked on."_s);
    chkHigh = named(new QCheckBox(u"Show highlight spot."_s), u"chkHigh"_s,
                    u"Show a highlighted spot on the graph"_s);
    chkLink = named(new QCheckBox(u"Link highlight spot to Note"_s), u"chkLink"_s,
                    u"Draw a line between the highlight and the corresponding note."_s);
    chkNShadow = named(new QCheckBox(u"Show shadow "_s), u"chkNShadow"_s,
                       u"Show a highlighted spot on the graph"_s);
    memoHeader = memo(u"memoHeader"_s, u"The text to show as the header of the Note"_s);
    memoBody = memo(u"memoBody"_s, u"The text to show in the body of the Note"_s);
    edtHeadFontS = new UpDownField(u"edtHeadFontS"_s, u"UDHeadFont"_s, 8, 40);
    edtHeadFontS->setToolTip(u"Set the note header font size"_s);
    edtBodyFontS = new UpDownField(u"edtBodyFontS"_s, u"UDBodyFont"_s, 8, 40);
    edtBodyFontS->setToolTip(u"Set the note body font size"_s);
    m_checks = {{chkHigh, NoteHighlight}, {chkLink, NoteLink}, {chkNShadow, NoteShadow}};
}

void AnnotationPage::buildBars() {
    sbNX =
        noteBar(u"sbNX"_s, u"slNX"_s, Qt::Horizontal, 0, 800, 10, u"Move the note left or right"_s);
    sbNY = noteBar(u"sbNY"_s, u"slNY"_s, Qt::Vertical, 0, 600, 10, u"Move the note up or down"_s);
    sbNWidth = noteBar(u"sbNWidth"_s, u"slNWidth"_s, Qt::Horizontal, 0, 400, 5,
                       u"Make the note background wider"_s);
    sbNHeight = noteBar(u"sbNHeight"_s, u"slNHeight"_s, Qt::Horizontal, 0, 400, 5,
                        u"Make the note background higher"_s);
    TBNAlpha = noteBar(u"TBNAlpha"_s, u"lblNAlpha"_s, Qt::Horizontal, 0, 100, 2,
                       u"Make the note more less see through"_s);
    sbHX = noteBar(u"sbHX"_s, u"slHX"_s, Qt::Horizontal, 0, 800, 2,
                   u"Move the highlight left or right"_s);
    sbHY =
        noteBar(u"sbHY"_s, u"slHY"_s, Qt::Vertical, 0, 600, 2, u"Move the highlight up or down"_s);
    sbHAlpha = noteBar(u"sbHAlpha"_s, u"lblHAlpha"_s, Qt::Horizontal, 5, 100, 2,
                       u"How visible must the highlight be."_s);
    sbHeaderY = noteBar(u"sbHeaderY"_s, u"slHeaderY"_s, Qt::Vertical, -50, 200, 10,
                        u"Move the note header up or down"_s);
    sbBodyY = noteBar(u"sbBodyY"_s, u"slBodyY"_s, Qt::Vertical, -50, 200, 10,
                      u"Move the note body text up or down"_s);
    sbNShadowX = noteBar(u"sbNShadowX"_s, u"lbNShadowX"_s, Qt::Horizontal, 0, 200, 2,
                         u"Move the shadow left or right"_s);
    sbNShadowY = noteBar(u"sbNShadowY"_s, u"lbNShadowY"_s, Qt::Vertical, 0, 200, 2,
                         u"Move the shadow up or down"_s);
    sbNShadowAlpha = noteBar(u"sbNShadowAlpha"_s, u"lblNShadowAlpha"_s, Qt::Horizontal, 5, 100, 2,
                             u"How visible must the shadow be."_s);
    m_bars = {{TBNAlpha, NoteAlpha},
              {sbNWidth, NoteWidth},
              {sbNHeight, NoteHeight},
              {sbNX, NoteXOffset},
              {sbNY, NoteYOffset},
              {sbHX, NoteHighX},
              {sbHY, NoteHighY},
              {sbHAlpha, NoteHighAlpha},
              {sbHeaderY, NoteHeadY},
              {sbBodyY, NoteBodyY},
              {sbNShadowX, NoteShadowX},
              {sbNShadowY, NoteShadowY},
              {sbNShadowAlpha, NoteShadowAlpha}};
}

void AnnotationPage::buildColourPickers() {
    pnlNBackColour = new ColourPanelLabel(u"pnlNBackColour"_s);
    pnlHighColour = new ColourPanelLabel(u"pnlHighColour"_s);
    pnlHeadFontC = new ColourPanelLabel(u"pnlHeadFontC"_s);
    pnlBodyFontC = new ColourPanelLabel(u"pnlBodyFontC"_s);
    btnNBackColour =
        ellipsisButton(u"btnNBackColour"_s, u"Select the background colour of the note"_s);
    btnHighColor = ellipsisButton(u"btnHighColor"_s, u"Select the colour of the highlight"_s);
    btnHeadFontC = ellipsisButton(u"btnHeadFontC"_s, u"Select the note header font colour"_s);
    btnBodyFontC = ellipsisButton(u"btnBodyFontC"_s, u"Select the note body text font colour"_s);

    m_panels = {{pnlNBackColour, NoteColour},
                {pnlHighColour, NoteHighColour},
                {pnlHeadFontC, NoteHeadColour},
                {pnlBodyFontC, NoteTextColour}};
}

QWidget* AnnotationPage::navigation() {
    auto* stepping = new QHBoxLayout;
    stepping->addWidget(btnPrevNote);
    stepping->addWidget(lblNoteNo, 1, Qt::AlignCenter);
    stepping->addWidget(btnNextNote);
    for (QPushButton* button : {btnPrevNote, btnNextNote})
        button->setFixedSize(24, 20);
    stepping->setContentsMargins(4, 0, 4, 2);
    grpNoteControl->setLayout(stepping);

    auto* widget = new QWidget;
    auto* layout = new QGridLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setVerticalSpacing(2);
    auto* count = new QHBoxLayout;
    count->addWidget(fieldLabel(u"Number of Notes"_s, edtNotes));
    count->addSpacing(4);
    count->addWidget(edtNotes);
    count->addStretch();
    layout->addLayout(count, 0, 0);
    layout->addWidget(btnAddNote, 0, 1);
    layout->addWidget(grpNoteControl, 1, 0, 2, 1);
    layout->addWidget(btnDelNote, 1, 1);
    layout->addWidget(btnDuplicate, 2, 1);
    return widget;
}

QWidget* AnnotationPage::notePage() {
    auto* layout = new QVBoxLayout;
    layout->addWidget(positionGroup(u"Note Position"_s, sbNX, sbNY));
    auto* size = new QVBoxLayout;
    size->addLayout(barRow(u"Width"_s, sbNWidth));
    size->addLayout(barRow(u"Height"_s, sbNHeight));
    layout->addWidget(compactGroup(u"Note Size"_s, size));
    auto* shape = new QHBoxLayout;
    shape->addWidget(fieldLabel(u"Shape"_s, cbShape));
    shape->addWidget(cbShape);
    shape->addStretch();
    layout->addLayout(shape);
    auto* style = new QHBoxLayout;
    style->addWidget(rdoFlat);
    style->addWidget(rdoShaded);
    style->addStretch();
    layout->addWidget(compactGroup(u"Style"_s, style));
    auto* background = new QVBoxLayout;
    auto* colour = new QHBoxLayout;
    colour->addWidget(fieldLabel(u"Colour"_s, btnNBackColour));
    colour->addWidget(pnlNBackColour);
    colour->addWidget(btnNBackColour);
    colour->addStretch();
    background->addLayout(colour);
    background->addWidget(
        endedBar(u"How Transparent must it be?"_s, TBNAlpha, u"Transparent"_s, u"Opaque"_s));
    layout->addWidget(compactGroup(u"Background"_s, background));
    auto* url = new QVBoxLayout;
    url->addWidget(edtURL);
    layout->addWidget(compactGroup(u"Note must link to URL"_s, url));
    return innerPage(layout);
}

QWidget* AnnotationPage::highlightPage() {
    auto* layout = new QVBoxLayout;
    layout->addWidget(chkHigh);
    layout->addWidget(chkLink);
    auto* properties = new QHBoxLayout;
    properties->addWidget(fieldLabel(u"Colour"_s, btnHighColor));
    properties->addWidget(pnlHighColour);
    properties->addWidget(btnHighColor);
    properties->addLayout(barRow(QString(), sbHAlpha), 1);
    layout->addWidget(compactGroup(u"Properties"_s, properties));
    layout->addWidget(positionGroup(u"Position"_s, sbHX, sbHY));
    return innerPage(layout);
}

QWidget* AnnotationPage::textPage(QPlainTextEdit* memo, QPushButton* colourButton,
                                  ColourPanelLabel* panel, UpDownField* fontSize,
                                  CaptionedTrackbar* position) {
    auto* font = new QGridLayout;
    font->addWidget(fieldLabel(u"Font Colour"_s, colourButton), 0, 0);
    font->addWidget(panel, 0, 1);
    font->addWidget(colourButton, 0, 2);
    font->addWidget(fieldLabel(u"Font Size"_s, fontSize->edit()), 1, 0);
    font->addWidget(fontSize, 1, 1, 1, 2);
    font->setColumnStretch(3, 1);
    auto* text = new QVBoxLayout;
    text->addWidget(memo);
    text->addLayout(font);
    auto* where = new QHBoxLayout;
    where->addWidget(position);
    where->addWidget(position->caption());
    auto* row = new QHBoxLayout;
    row->addWidget(compactGroup(memo == memoHeader ? u"Header"_s : u"Body"_s, text), 1);
    row->addWidget(compactGroup(u"Position"_s, where));
    return innerPage(row);
}

QWidget* AnnotationPage::shadowPage() {
    auto* layout = new QVBoxLayout;
    layout->addWidget(positionGroup(u"Shadow Offset"_s, sbNShadowX, sbNShadowY));
    auto* alpha = new QVBoxLayout;
    alpha->addLayout(barRow(QString(), sbNShadowAlpha));
    layout->addWidget(compactGroup(u"Shadow Transparency"_s, alpha));
    layout->addWidget(chkNShadow);
    return innerPage(layout);
}

void AnnotationPage::connectControls() {
    connect(btnPrevNote, &QPushButton::clicked, this, &AnnotationPage::btnPrevNoteClick);
    connect(btnNextNote, &QPushButton::clicked, this, &AnnotationPage::btnNextNoteClick);
    connect(btnAddNote, &QPushButton::clicked, this, &AnnotationPage::btnAddNoteClick);
    connect(btnDelNote, &QPushButton::clicked, this, &AnnotationPage::btnDelNoteClick);
    connect(btnDuplicate, &QPushButton::clicked, this, &AnnotationPage::btnDuplicateClick);

    connect(cbShape, &QComboBox::currentIndexChanged, this, &AnnotationPage::writeBack);
    connect(edtURL, &QLineEdit::textChanged, this, &AnnotationPage::writeBack);
    connect(memoHeader, &QPlainTextEdit::textChanged, this, &AnnotationPage::writeBack);
    connect(memoBody, &QPlainTextEdit::textChanged, this, &AnnotationPage::writeBack);
    connect(edtHeadFontS, &UpDownField::stepped, this, &AnnotationPage::writeBack);
    connect(edtBodyFontS, &UpDownField::stepped, this, &AnnotationPage::writeBack);
    connect(rdoFlat, &QRadioButton::clicked, this, &AnnotationPage::writeBack);
    connect(rdoShaded, &QRadioButton::clicked, this, &AnnotationPage::writeBack);
    for (const auto& [check, column] : m_checks)
        connect(check, &QCheckBox::clicked, this, &AnnotationPage::writeBack);
    for (const auto& [bar, column] : m_bars)
        connect(bar, &QSlider::valueChanged, this, &AnnotationPage::writeBack);
    const std::vector<std::pair<QPushButton*, ColourPanelLabel*>> pickers = {
        {btnNBackColour, pnlNBackColour},
        {btnHighColor, pnlHighColour},
        {btnHeadFontC, pnlHeadFontC},
        {btnBodyFontC, pnlBodyFontC}};
    for (const auto& [button, panel] : pickers) {
        connect(button, &QPushButton::clicked, this, [this, panel = panel] {
            if (panel->pick(true))
                writeBack();
        });
    }
}

void AnnotationPage::showNotes(const NotesFields& notes) {
    if (notes != m_shownNotes)
        m_currentNote = 1;
    m_shownNotes = notes;
    const int count = noteCount(notes);
    m_currentNote = std::clamp(m_currentNote, 1, std::max(count, 1));
    setFieldText(edtNotes, notes.edtNotes);
    const bool hasNotes = count >= 1;
    for (QWidget* widget :
         {static_cast<QWidget*>(grpNoteControl), static_cast<QWidget*>(btnDelNote),
          static_cast<QWidget*>(btnDuplicate), static_cast<QWidget*>(PageControl2)})
        widget->setVisible(hasNotes);
    lblNoteNo->setText(u"%1 of %2"_s.arg(m_currentNote).arg(count));
    if (hasNotes)
        loadCurrentNote(notes.sgrdNotes);
}

void AnnotationPage::loadCurrentNote(const Grid& grid) {
    m_noteControlsReady = false;
    const auto cell = [&grid, row = m_currentNote](int column) {
        return grid.cell(column, row);
    };
    const auto number = [&cell](int column) {
        return StrToIntOrZero(cell(column).toLatin1());
    };
    const int shape = number(NoteShape);
    cbShape->setCurrentIndex(shape < cbShape->count() ? shape : -1);
    for (const auto& [panel, column] : m_panels) {
        const QString text = cell(column);
        panel->showPanel(ColorPanel{text, TextToColor(text.toLatin1()).value_or(kSilver)});
    }
    (cell(NoteStyle) == u"flat"_s ? rdoFlat : rdoShaded)->setChecked(true);
    for (const auto& [bar, column] : m_bars)
        bar->setValue(number(column));
    for (const auto& [check, column] : m_checks)
        check->setChecked(cell(column) == u"Yes"_s);
    for (const auto& [memo, column] :
         {std::pair{memoHeader, int(NoteHeading)}, std::pair{memoBody, int(NoteText)}}) {
        const QString text = fromNoteText(cell(column));
        // Setting an equal text would move the cursor of the memo being typed in.
        if (memo->toPlainText() != text)
            memo->setPlainText(text);
    }
    edtHeadFontS->setText(cell(NoteHeadSize));
    edtBodyFontS->setText(cell(NoteTextSize));
    setFieldText(edtURL, cell(NoteUrl));
    m_noteControlsReady = true;
}

void AnnotationPage::writeBack() {
    if (!m_noteControlsReady || loading())
        return;
    if (!acceptText(memoHeader, u"Note Header"_s, memoHeader->toPlainText()) ||
        !acceptText(memoBody, u"Note Body"_s, memoBody->toPlainText()) ||
        !acceptText(edtURL, u"Note URL"_s, edtURL->text()))
        return;
    edit([this](GraphDocument& d) {
        writeRow(d.notes.sgrdNotes);
        m_shownNotes = d.notes;
    });
}

void AnnotationPage::writeRow(Grid& grid) const {
    const int row = m_currentNote;
    grid.setCell(NoteShape, row, QString::number(cbShape->currentIndex()));
    for (const auto& [panel, column] : m_panels)
        grid.setCell(column, row, panel->panel().caption);
    grid.setCell(NoteStyle, row, rdoFlat->isChecked() ? u"flat"_s : u"Shaded"_s);
    for (const auto& [bar, column] : m_bars)
        grid.setCell(column, row, QString::number(bar->value()));
    for (const auto& [check, column] : m_checks)
        grid.setCell(column, row, yesNo(check->isChecked()));
    grid.setCell(NoteHeading, row, toNoteText(memoHeader->toPlainText()));
    grid.setCell(NoteHeadSize, row, edtHeadFontS->edit()->text());
    grid.setCell(NoteText, row, toNoteText(memoBody->toPlainText()));
    grid.setCell(NoteTextSize, row, edtBodyFontS->edit()->text());
    grid.setCell(NoteUrl, row, edtURL->text());
}

void AnnotationPage::showNote(NotesFields notes, int row) {
    m_currentNote = row;
    m_shownNotes = notes;
    showNotes(notes);
    edit([this, &notes](GraphDocument& d) {
        if (noteCount(notes) >= 1)
            writeRow(notes.sgrdNotes);
        d.notes = notes;
        m_shownNotes = notes;
    });
}

void AnnotationPage::btnPrevNoteClick() {
    showNote(document().notes, std::max(m_currentNote - 1, 1));
}

void AnnotationPage::btnNextNoteClick() {
    const NotesFields& notes = document().notes;
    showNote(notes, std::min(m_currentNote + 1, std::max(noteCount(notes), 1)));
}

void AnnotationPage::btnAddNoteClick() {
    if (dlgNewNote->exec() != QDialog::Accepted)
        return;
    NotesFields notes = document().notes;
    const int row = addNote(notes, dlgNewNote->shape());
    showNote(notes, row);
}

void AnnotationPage::btnDelNoteClick() {
    if (!appDialogs().askYesNo(u"Are you sure you want to remove the current Note?"_s))
        return;
    NotesFields notes = document().notes;
    deleteNote(notes, m_currentNote);
    showNote(notes, 1);
}

void AnnotationPage::btnDuplicateClick() {
    NotesFields notes = document().notes;
    const int row = duplicateNote(notes, m_currentNote, dlgNewNote->shape());
    showNote(notes, row);
}

} // namespace tivora
