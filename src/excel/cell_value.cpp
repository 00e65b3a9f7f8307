#include "excel/cell_value.h"

#include <QLocale>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tivora::excel {
namespace {

// Whole numbers up to 15 digits are written out in full; beyond that general format takes over.
constexpr double kLargestPlainWhole = 1e15;

// "1.5e-06" becomes "1.5E-6" and "1e+20" becomes "1E20": the exponent as a plain whole number.
QString plainExponent(const QString& text) {
    const qsizetype e = text.indexOf(u'e');
    if (e < 0)
        return text;
    const int exponent = text.mid(e + 1).toInt();
    return text.left(e) + u'E' + QString::number(exponent);
}

// Asking the system for its locale costs more than writing a number.
QChar systemDecimalPoint() {
    static const QChar point = QLocale::system().decimalPoint().front();
    return point;
}

} // namespace

QString numberText(double value, QChar decimalPoint) {
    if (!std::isfinite(value))
        return QString();
    if (value == std::trunc(value) && std::fabs(value) < kLargestPlainWhole)
        return QString::number(static_cast<qlonglong>(value));
    QString text = plainExponent(QString::number(value, 'g', 15));
    text.replace(u'.', decimalPoint);
    return text;
}

QString cellValueText(const CellValue& value) {
    switch (value.kind) {
    case CellValue::Kind::Empty:
        return QString();
    case CellValue::Kind::Number:
        return numberText(value.number, systemDecimalPoint());
    case CellValue::Kind::Text:
    case CellValue::Kind::Error:
        return value.text;
    case CellValue::Kind::Boolean:
        return value.boolean ? u"True"_s : u"False"_s;
    }
    return QString();
}

} // namespace tivora::excel
