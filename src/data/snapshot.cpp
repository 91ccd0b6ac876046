#include "snapshot.h"

#include <cmath>

namespace data {

void Snapshot::reset(int fields)
{
    fields_ = fields;
    rowids_.clear();
    cells_.clear();
    text_.clear();
}

int Snapshot::addRow(qint64 rowid)
{
    rowids_.push_back(rowid);
    cells_.resize(cells_.size() + size_t(fields_));
    return int(rowids_.size()) - 1;
}

Cell Snapshot::text(const char* utf8, qsizetype size)
{
    Cell cell;
    cell.kind = Cell::Kind::Text;
    cell.offset = text_.size();
    cell.size = quint32(size);
    text_.append(utf8, size_t(size));
    return cell;
}

Cell Snapshot::fromVariant(const QVariant& value)
{
    Cell cell;
    if (!value.isValid() || value.isNull())
        return cell;
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        const QByteArray utf8 = value.toString().toUtf8();
        return text(utf8.constData(), utf8.size());
    }
    case QMetaType::Double:
    case QMetaType::Float:
        cell.kind = Cell::Kind::Real;
        cell.real = value.toDouble();
        return cell;
    default:
        break;
    }
    bool ok = false;
    const qint64 n = value.toLongLong(&ok);
    if (!ok) {
        const QByteArray utf8 = value.toString().toUtf8();
        return text(utf8.constData(), utf8.size());
    }
    cell.kind = Cell::Kind::Integer;
    cell.integer = n;
    return cell;
}

QString Snapshot::toString(const Cell& cell) const
{
    switch (cell.kind) {
    case Cell::Kind::Null:
        return {};
    case Cell::Kind::Integer:
        return QString::number(cell.integer);
    case Cell::Kind::Real:
        return QString::number(cell.real);
    case Cell::Kind::Text:
        return QString::fromUtf8(text_.data() + cell.offset, qsizetype(cell.size));
    }
    return {};
}

QVariant Snapshot::toVariant(const Cell& cell) const
{
    switch (cell.kind) {
    case Cell::Kind::Null:
        return {};
    case Cell::Kind::Integer:
        return QVariant(cell.integer);
    case Cell::Kind::Real:
        return QVariant(cell.real);
    case Cell::Kind::Text:
        return QVariant(toString(cell));
    }
    return {};
}

bool Snapshot::toInteger(const Cell& cell, qint64* out) const
{
    switch (cell.kind) {
    case Cell::Kind::Integer:
        *out = cell.integer;
        return true;
    case Cell::Kind::Text: {
        bool ok = false;
        *out = QByteArray::fromRawData(text_.data() + cell.offset, qsizetype(cell.size))
                   .toLongLong(&ok);
        return ok;
    }
    case Cell::Kind::Real:
        if (std::isfinite(cell.real) && cell.real == std::trunc(cell.real)) {
            *out = qint64(cell.real);
            return true;
        }
        return false;
    case Cell::Kind::Null:
        return false;
    }
    return false;
}

int Snapshot::compare(const Cell& a, const Cell& b) const
{
    if (a.kind == Cell::Kind::Integer && b.kind == Cell::Kind::Integer)
        return a.integer < b.integer ? -1 : (a.integer > b.integer ? 1 : 0);
    if (a.isNull() || b.isNull())
        return int(b.isNull()) - int(a.isNull());
    qint64 x = 0;
    qint64 y = 0;
    if (toInteger(a, &x) && toInteger(b, &y))
        return x < y ? -1 : (x > y ? 1 : 0);
    if (a.kind == Cell::Kind::Real || b.kind == Cell::Kind::Real) {
        const double p = toVariant(a).toDouble();
        const double q = toVariant(b).toDouble();
        return p < q ? -1 : (p > q ? 1 : 0);
    }
    return toString(a).compare(toString(b));
}

} // namespace data
