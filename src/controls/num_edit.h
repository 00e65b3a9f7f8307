#pragma once

#include <QLineEdit>

namespace tivora {

// A single-line edit for numbers: typing is limited to the characters of a decimal number, and
// leaving the field rewrites the text as a number with a fixed count of decimals. In every other
// respect it is a line edit; its value is read as text.
class TNumEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TNumEdit(QWidget* parent = nullptr);

    int DecimalPlaces() const { return m_decimalPlaces; }
    void setDecimalPlaces(int places);
    // Minimum length of a non-empty text; 0 switches the check off.
    int MinLength() const { return m_minLength; }
    void setMinLength(int length) { m_minLength = length; }
    bool AllowNegative() const { return m_allowNegative; }
    void setAllowNegative(bool allow) { m_allowNegative = allow; }
    // Extra characters accepted; when there are any, the field is taken to hold more than a
    // number and is neither length-checked nor formatted.
    QString PermittedAlpha() const { return m_permittedAlpha; }
    void setPermittedAlpha(const QString& characters) { m_permittedAlpha = characters; }
    bool FormatOnExit() const { return m_formatOnExit; }
    void setFormatOnExit(bool format) { m_formatOnExit = format; }

    // text written as a number with places decimals, a half rounded away from zero; a text that
    // is not a number counts as 0.
    static QString formatNumber(const QString& text, int places);

Q_SIGNALS:
    // The field was left (its exit event), before the text is formatted.
    void exited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool acceptsCharacter(QChar character) const;
    void leaveField();

    int m_decimalPlaces = 0;
    int m_minLength = 0;
    bool m_allowNegative = true;
    QString m_permittedAlpha;
    bool m_formatOnExit = true;
};

} // namespace tivora
