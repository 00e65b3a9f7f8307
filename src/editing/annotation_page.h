#pragma once

#include "editing/bound_page.h"

#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace tivora {

class TNumEdit;
class TdlgNewNote;

// Page "Annotation": the notes laid over the graph, edited one at a time. The controls show the
// current note's row of the notes grid; every change of a control writes the whole row back at
// once, so the row always holds exactly what the controls show.
class AnnotationPage : public BoundPage {
public:
    explicit AnnotationPage(GraphDocumentModel& model, QWidget* parent = nullptr);

    QString caption() const override;
    bool shownFor(const QString& baseType) const override;

    // The row of the note shown, 1..count.
    int currentNote() const { return m_currentNote; }

    void btnPrevNoteClick();
    void btnNextNoteClick();
    void btnAddNoteClick();
    void btnDelNoteClick();
    void btnDuplicateClick();

    TdlgNewNote* dlgNewNote;
    TNumEdit* edtNotes;
    QGroupBox* grpNoteControl;
    QPushButton* btnPrevNote;
    QPushButton* btnNextNote;
    QLabel* lblNoteNo;
    QPushButton* btnAddNote;
    QPushButton* btnDelNote;
    QPushButton* btnDuplicate;
    QTabWidget* PageControl2;

    QComboBox* cbShape;
    QRadioButton* rdoFlat;
    QRadioButton* rdoShaded;
    QLineEdit* edtURL;
    QCheckBox* chkHigh;
    QCheckBox* chkLink;
    QCheckBox* chkNShadow;
    QPlainTextEdit* memoHeader;
    QPlainTextEdit* memoBody;
    UpDownField* edtHeadFontS;
    UpDownField* edtBodyFontS;
    CaptionedTrackbar* sbNX;
    CaptionedTrackbar* sbNY;
    CaptionedTrackbar* sbNWidth;
    CaptionedTrackbar* sbNHeight;
    CaptionedTrackbar* TBNAlpha;
    CaptionedTrackbar* sbHX;
    CaptionedTrackbar* sbHY;
    CaptionedTrackbar* sbHAlpha;
    CaptionedTrackbar* sbHeaderY;
    CaptionedTrackbar* sbBodyY;
    CaptionedTrackbar* sbNShadowX;
    CaptionedTrackbar* sbNShadowY;
    CaptionedTrackbar* sbNShadowAlpha;
    ColourPanelLabel* pnlNBackColour;
    ColourPanelLabel* pnlHighColour;
    ColourPanelLabel* pnlHeadFontC;
    ColourPanelLabel* pnlBodyFontC;
    QPushButton* btnNBackColour;
    QPushButton* btnHighColor;
    QPushButton* btnHeadFontC;
    QPushButton* btnBodyFontC;

private:
    // A control shown from and written to one column of the note's row.
    template <typename Control> struct Column {
        Control* control;
        int column;
    };

    void buildControls();
    void buildNoteFields();
    void buildBars();
    void buildColourPickers();
    QWidget* notePage();
    QWidget* highlightPage();
    QWidget* textPage(QPlainTextEdit* memo, QPushButton* colourButton, ColourPanelLabel* panel,
                      UpDownField* fontSize, CaptionedTrackbar* position);
    QWidget* shadowPage();
    QWidget* navigation();
    void connectControls();

    // Shows notes in the page: the count, the note controls when there is a note, and the
    // current note.
    void showNotes(const NotesFields& notes);
    void loadCurrentNote(const Grid& grid);
    // Writes the controls into the current note's row (cbShapeChange); nothing while the
    // controls are being loaded or when a text cannot be saved.
    void writeBack();
    void writeRow(Grid& grid) const;
    // Makes row current in notes, shows it and writes it back, as one change to the graph.
    void showNote(NotesFields notes, int row);

    std::vector<Column<CaptionedTrackbar>> m_bars;
    std::vector<Column<QCheckBox>> m_checks;
    std::vector<Column<ColourPanelLabel>> m_panels;
    // The notes as last shown; notes that differ came from elsewhere (a graph was read), and
    // the first note becomes current.
    NotesFields m_shownNotes;
    int m_currentNote = 1;
    bool m_noteControlsReady = false;
};

} // namespace tivora
