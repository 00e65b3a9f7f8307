#include "editing/tdlg_new_note.h"

#include "controls/skins/skin.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

// Beside its title a window manager draws the window's icon and its buttons; without room for
// them it cuts the title short.
constexpr int kTitleBarButtons = 160;

// A small picture of the shape beside its radio button.
class ShapePicture : public QFrame {
public:
    ShapePicture(const QString& name, bool oval)
        : m_oval(oval) {
        setObjectName(name);
        setFixedSize(64, 44);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        // A skin that draws the shape has painted it as the panel's ground.
        if (skinPaintsPicture(*this))
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(0xD4, 0x8B, 0x39));
        painter.setPen(Qt::darkGray);
        const QRectF shape = QRectF(rect()).adjusted(4, 4, -4, -4);
        if (m_oval)
            painter.drawEllipse(shape);
        else
            painter.drawRect(shape);
    }

private:
    bool m_oval;
};

} // namespace

TdlgNewNote::TdlgNewNote(QWidget* parent)
    : QDialog(parent)
    , rdoOval(new QRadioButton(u"&Oval"_s))
    , rdoRect(new QRadioButton(u"&Rectangular"_s))
    , pnlOval(new ShapePicture(u"pnlOval"_s, true))
    , pnlRect(new ShapePicture(u"pnlRect"_s, false)) {
    setObjectName(u"dlgNewNote"_s);
    setWindowTitle(u"Add a New Note to the Graph"_s);
    rdoOval->setObjectName(u"rdoOval"_s);
    rdoRect->setObjectName(u"rdoRect"_s);
    rdoRect->setToolTip(u"Rectangular/square shaped note."_s);
    rdoOval->setChecked(true);

    auto* shapes = new QGridLayout;
    shapes->addWidget(rdoOval, 0, 0);
    shapes->addWidget(pnlOval, 0, 1);
    shapes->addWidget(rdoRect, 1, 0);
    shapes->addWidget(pnlRect, 1, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(shapes);
    layout->addWidget(buttons);
    fitContentsAndTitle();
}

void TdlgNewNote::fitContentsAndTitle() {
    // Title bars set their text in a bold face.
    QFont titleFont = font();
    titleFont.setBold(true);
    const int titleRoom =
        QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + kTitleBarButtons;
    setFixedSize(sizeHint().expandedTo(QSize(titleRoom, 0)));
}

void TdlgNewNote::showEvent(QShowEvent* event) {
    appSkin().skinWindow(*this, kAllSkinKinds, {{pnlOval, u"N_Oval"_s}, {pnlRect, u"N_Square"_s}});
    // The skin's fonts and padding can ask for more room than the plain look did.
    fitContentsAndTitle();
    QDialog::showEvent(event);
}

int TdlgNewNote::shape() const {
    return rdoRect->isChecked() ? 1 : 0;
}

} // namespace tivora
