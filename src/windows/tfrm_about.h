#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace tivora {

// The about window: the product's logo, name, rights notice and version, and "OK". Modal,
// centred on the main window, created once and kept.
class TfrmAbout : public QDialog {
    Q_OBJECT

public:
    explicit TfrmAbout(QWidget* parent = nullptr);

    QFrame* Panel1;
    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Copyright;
    QLabel* Version;
    QPushButton* OKButton;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace tivora
