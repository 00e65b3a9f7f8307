#pragma once

#include "editing/bound_page.h"

class QCheckBox;
class QGridLayout;
class QPushButton;
class QRadioButton;

namespace tivora {

// Page "Type": the header with its position and colours, the footer, and the graph background.
class TypePage : public BoundPage {
public:
    explicit TypePage(GraphDocumentModel& model, QWidget* parent = nullptr);

    QString caption() const override;
    bool shownFor(const QString& baseType) const override;

    QLineEdit* edtHeader;
    QRadioButton* rdoHeaderTop;
    QRadioButton* rdoHeaderBottom;
    QRadioButton* rdoHeaderLeft;
    QRadioButton* rdoHeaderRight;
    ColourPanelLabel* pnlHeaderFontColour;
    QPushButton* btnHeadFontColour;
    ColourPanelLabel* pnlHeaderBackColour;
    QPushButton* btnHeaderBackColour;
    QLineEdit* edtFooter;
    ColourPanelLabel* pnlFootColor;
    QPushButton* btnFootTxtColor;
    ColourPanelLabel* pnlBackColour;
    QPushButton* btnBackGroundColour;
    QCheckBox* chkBGTrans;

private:
    QWidget* headerGroup();
    QWidget* positionGroup();
    QWidget* footerGroup();
    QWidget* backgroundGroup();
    void bindControls();
    // Puts a label, a colour panel and its "..." button on row of layout.
    static void addColourRow(QGridLayout* layout, int row, const QString& label,
                             ColourPanelLabel* panel, QPushButton* button);
};

} // namespace tivora
