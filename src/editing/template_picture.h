#pragma once

#include <QImage>
#include <QWidget>

class QPainter;

namespace tivora {

// One picture panel of the new graph dialog: a small drawing of a template graph with its caption
// beneath. A click, or Enter or Space while it has the focus, chooses it; the arrow keys move to
// the next or previous picture.
class TemplatePicture : public QWidget {
    Q_OBJECT

public:
    TemplatePicture(const QString& name, const QString& caption, const QString& templateFile,
                    QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    // The template's path relative to the program folder ("Data/blank.dat").
    QString templateFile() const { return m_templateFile; }
    // Draws the template from its file, once; a file that cannot be drawn leaves the panel blank.
    void drawTemplate();
    const QImage& picture() const { return m_picture; }

    QSize sizeHint() const override;

Q_SIGNALS:
    void chosen();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QRect pictureRect() const;
    // The panel's frame with the drawing of its template.
    void paintOwnPicture(QPainter& painter) const;

    QString m_caption;
    QString m_templateFile;
    QImage m_picture;
    bool m_drawn = false;
    bool m_hovered = false;
};

} // namespace tivora
