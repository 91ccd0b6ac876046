#include "cell.h"

namespace data {

Cell Cell::fromVariant(const QVariant& value)
{
    Cell cell;
    if (!value.isValid() || value.isNull())
        return cell;
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::QByteArray:
        cell.kind = Kind::Text;
        cell.text = value.toString();
        return cell;
    case QMetaType::Double:
    case QMetaType::Float:
        cell.kind = Kind::Real;
        cell.real = value.toDouble();
        return cell;
    default:
        break;
    }
    bool ok = false;
    cell.integer = value.toLongLong(&ok);
    if (ok) {
        cell.kind = Kind::Integer;
    } else {
        cell.kind = Kind::Text;
        cell.text = value.toString();
    }
    return cell;
}

QVariant Cell::toVariant() const
{
    switch (kind) {
    case Kind::Null:
        return {};
    case Kind::Integer:
        return QVariant(integer);
    case Kind::Real:
        return QVariant(real);
    case Kind::Text:
        return QVariant(text);
    }
    return {};
}

bool Cell::toInteger(qint64* out) const
{
    switch (kind) {
    case Kind::Integer:
        *out = integer;
        return true;
    case Kind::Text: {
        bool ok = false;
        *out = text.toLongLong(&ok);
        return ok;
    }
    case Kind::Real:
        if (real == double(qint64(real))) {
            *out = qint64(real);
            return true;
        }
        return false;
    case Kind::Null:
        return false;
    }
    return false;
}

int compare(const Cell& a, const Cell& b)
{
    if (a.kind == Cell::Kind::Integer && b.kind == Cell::Kind::Integer)
        return a.integer < b.integer ? -1 : (a.integer > b.integer ? 1 : 0);
    if (a.isNull() || b.isNull())
        return int(b.isNull()) - int(a.isNull());
    qint64 x = 0;
    qint64 y = 0;
    if (a.toInteger(&x) && b.toInteger(&y))
        return x < y ? -1 : (x > y ? 1 : 0);
    if (a.kind == Cell::Kind::Real || b.kind == Cell::Kind::Real) {
        const double p = a.kind == Cell::Kind::Real ? a.real : a.toVariant().toDouble();
        const double q = b.kind == Cell::Kind::Real ? b.real : b.toVariant().toDouble();
        return p < q ? -1 : (p > q ? 1 : 0);
    }
    return a.toVariant().toString().compare(b.toVariant().toString());
}

} // namespace data
